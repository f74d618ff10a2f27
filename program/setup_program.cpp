#include "program/setup_program.hpp"

#include "app/command_line.hpp"
#include "app/install_log.hpp"
#include "app/startup.hpp"
#include "app/unattended_install.hpp"

namespace morvane {
namespace {

constexpr const char* window_title = "Morvane Post Installation setup";

// A deployment tool that starts the window learns from the exit code how it was left.
int window_exit_code(const frmMain& form) {
    switch (form.last_installation()) {
    case frmMain::Outcome::completed:
        return exit_installed;
    case frmMain::Outcome::failed:
        return exit_step_failed;
    case frmMain::Outcome::none:
        break;
    }
    return form.record().newest_installed() == nullptr ? exit_no_sas : exit_left_without_installing;
}

int run_windowed(const CommandLine& options, ProgramServices& services, InstallLog& log) {
    auto& platform = services.platform;
    if (const auto failure = services.window.open()) {
        platform.messages.show(failure->description, "Error!", MessageIcon::critical);
        log.write("Error! " + failure->description);
        return exit_step_failed;
    }
    LoggedView logged_view(services.window.view(), log);
    LoggedMessageBoxes logged_messages(platform.messages, log);
    SetupWindowView& view =
        log.enabled() ? static_cast<SetupWindowView&>(logged_view) : services.window.view();
    Platform windowed{platform.registry,
                      platform.files,
                      platform.encoding,
                      platform.shell,
                      platform.location,
                      platform.pause,
                      log.enabled() ? logged_messages : platform.messages};
    const auto form = Main(windowed, view);
    if (!form)
        return exit_step_failed;
    if (options.release && !form->preselect(*options.release)) {
        windowed.messages.show(std::string(options.release->caption) + " is not installed.",
                               "Error!", MessageIcon::critical);
        return exit_no_sas;
    }
    services.window.run(*form);
    return window_exit_code(*form);
}

} // namespace

int run_setup_program(const std::vector<std::string>& arguments, ProgramServices& services) {
    CommandLineError error;
    const auto options = parse_command_line(arguments, error);
    const bool silent = asks_for_silence(arguments);
    // An unattended run answers on the console; a windowed one in a box.
    const auto tell = [&](const std::string& text, bool is_error) {
        if (silent)
            is_error ? services.console.err(text) : services.console.out(text);
        else
            services.platform.messages.show(text, is_error ? "Error!" : window_title,
                                            is_error ? MessageIcon::critical
                                                     : MessageIcon::information);
    };
    if (!options) {
        tell(error.message + "\n\n" + usage_text(services.program_name), true);
        return exit_bad_command_line;
    }
    if (options->help) {
        tell(usage_text(services.program_name), false);
        return exit_installed;
    }
    // Checked before the log opens: a second copy writes nothing at all.
    if (!services.instance.claim()) {
        tell("The setup is already running.", true);
        return exit_already_running;
    }
    InstallLog log(services.platform.files, options->log_file, services.timestamp);
    if (const auto failure = log.open()) {
        tell("Cannot write the log file " + *options->log_file + ": " + failure->description, true);
        return exit_bad_command_line;
    }
    return silent ? run_unattended(*options, services.platform, services.console, log)
                  : run_windowed(*options, services, log);
}

} // namespace morvane
