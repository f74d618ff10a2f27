#include "app/setup_program.hpp"

#include "app/command_line.hpp"
#include "app/console_setup.hpp"
#include "app/install_log.hpp"
#include "app/startup.hpp"

namespace morvane {
namespace {

constexpr const char* window_title = "Morvane Post Installation setup";

class NoPause : public Pause {
  public:
    void milliseconds(int) override {}
};

std::string version_name(OptionButton option) {
    switch (option) {
    case OptionButton::optSas8:
        return "8";
    case OptionButton::optSas9:
        return "9.1";
    case OptionButton::optSas92:
        return "9.2";
    }
    return "";
}

// Picks the requested version, or checks that the window has one to offer.
std::optional<std::string> choose_version(SetupWindowView& view,
                                          std::optional<OptionButton> requested) {
    if (requested) {
        if (!view.is_enabled(*requested))
            return "SAS System version " + version_name(*requested) + " is not installed.";
        view.select(*requested);
    } else if (!view.is_enabled(CommandButton::cmdInstall)) {
        return "No SAS System version is installed.";
    }
    return std::nullopt;
}

int run_unattended(const CommandLine& options, ProgramServices& services, InstallLog& log) {
    auto& platform = services.platform;
    ConsoleSetup console_setup(services.console, log);
    NoPause no_pause;
    Platform quiet{platform.registry, platform.files, platform.encoding, platform.shell,
                   platform.location, no_pause,       console_setup};
    const auto form = Main(quiet, console_setup);
    if (!form) {
        console_setup.flush_errors();
        return exit_step_failed;
    }
    if (const auto problem = choose_version(console_setup, options.version)) {
        services.console.err(*problem);
        log.write(*problem);
        return exit_no_sas;
    }
    form->cmdInstall_Click();
    console_setup.flush_errors();
    return console_setup.unloaded() ? exit_installed : exit_step_failed;
}

int run_windowed(const CommandLine& options, ProgramServices& services, InstallLog& log) {
    auto& platform = services.platform;
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
    if (options.version) {
        if (const auto problem = choose_version(view, options.version)) {
            windowed.messages.show(*problem, "Error!", MessageIcon::critical);
            return exit_no_sas;
        }
    }
    services.window.run(*form);
    return exit_installed;
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
    InstallLog log(services.platform.files, options->log_file, services.timestamp);
    if (const auto failure = log.open()) {
        tell("Cannot write the log file " + *options->log_file + ": " + failure->description, true);
        return exit_bad_command_line;
    }
    return silent ? run_unattended(*options, services, log) : run_windowed(*options, services, log);
}

} // namespace morvane
