#include "program/setup_program.hpp"

#include "app/commands/command_line.hpp"
#include "app/commands/dry_run.hpp"
#include "app/commands/lifecycle_commands.hpp"
#include "app/commands/program_folder_check.hpp"
#include "app/commands/qualification_report.hpp"
#include "app/commands/unattended_install.hpp"
#include "app/reporting/console_reporter.hpp"
#include "app/reporting/install_log.hpp"
#include "app/reporting/message_box_reporter.hpp"
#include "app/window/startup.hpp"
#include "program/instance_guard.hpp"

namespace morvane {
namespace {

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

int run_windowed(const CommandLine& options, Platform& platform, ProgramServices& services,
                 InstallLog& log) {
    MessageBoxReporter boxes(platform.messages, log);
    if (const auto failure = services.window.open()) {
        boxes.box(failure->description, "Error!", MessageIcon::critical);
        return exit_step_failed;
    }
    const auto form = Main(platform, services.window.view(), log, options.scope);
    if (!form)
        return exit_step_failed;
    if (options.release && !form->preselect(*options.release)) {
        boxes.box(std::string(options.release->caption) + " is not installed.", "Error!",
                  MessageIcon::critical);
        return exit_no_sas;
    }
    services.window.run(*form);
    return window_exit_code(*form);
}

// Verify, repair, uninstall and the dry run; only a repair in window mode opens the
// window, with the recorded release preselected, so the user sees what Install will do.
int run_chosen(CommandLine options, ProgramServices& services, Platform& platform, InstallLog& log,
               bool silent, Reporter& reporter, Reporter& unattended) {
    switch (options.command) {
    case Command::verify:
        return run_verify(options, platform, reporter);
    case Command::uninstall:
        return run_uninstall(platform, reporter);
    case Command::whatif:
        return run_dry_run(options, platform, reporter);
    case Command::repair: {
        const auto recorded = repair_options(options, platform);
        if (!recorded.ok()) {
            report_failure(reporter, recorded.error().description);
            return exit_code_of(recorded.error());
        }
        options = recorded.value();
        break;
    }
    case Command::install:
        break;
    }
    return silent ? run_unattended(options, platform, unattended)
                  : run_windowed(options, platform, services, log);
}

// The command, then the qualification report it may ask for.
int run_command(const CommandLine& options, ProgramServices& services, InstallLog& log, bool silent,
                const std::string& guard_note) {
    ConsoleReporter console(services.console);
    // A command's box sums up the lines the log already has.
    MessageBoxReporter boxes(services.platform.messages, log,
                             MessageBoxReporter::Shown::repeats_lines);
    Reporters unattended{&console, &log};
    Reporters windowed{&boxes, &log};
    Reporter& reporter = silent ? static_cast<Reporter&>(unattended) : windowed;
    if (!guard_note.empty())
        reporter.note(guard_note);
    // What an installation recorded is checked, repaired and undone only where it was made.
    const bool on_the_record = options.command == Command::verify ||
                               options.command == Command::repair ||
                               options.command == Command::uninstall;
    const auto folder = working_program_folder(services.platform, on_the_record);
    if (!folder.ok()) {
        report_failure(reporter, folder.error().description);
        return exit_code_of(folder.error());
    }
    SpelledProgramLocation location(folder.value(), services.platform.location);
    auto platform = in_location(services.platform, location);
    const int exit_code =
        run_chosen(options, services, platform, log, silent, reporter, unattended);
    return with_qualification_report(options, exit_code, platform, reporter);
}

} // namespace

int run_setup_program(const std::vector<std::string>& arguments, ProgramServices& services) {
    const auto parsed = parse_command_line(arguments);
    const bool silent = asks_for_silence(arguments);
    // An unattended run answers on the console; a windowed one in a box. No log is open.
    ConsoleReporter console(services.console);
    MessageBoxReporter boxes(services.platform.messages, nowhere());
    const auto tell = [&](const std::string& text, bool is_error) {
        if (silent)
            is_error ? console.error(text) : console.status(text);
        else
            boxes.box(text, is_error ? "Error!" : window_title,
                      is_error ? MessageIcon::critical : MessageIcon::information);
    };
    if (!parsed.ok()) {
        tell(parsed.error().description + "\n\n" + usage_text(services.program_name), true);
        return exit_bad_command_line;
    }
    const auto* options = &parsed.value();
    if (options->help) {
        tell(usage_text(services.program_name), false);
        return exit_installed;
    }
    const auto account = services.platform.account.current();
    if (account.ok())
        if (const auto refusal = refused_for_account(*options, account.value())) {
            tell(*refusal + "\n\n" + usage_text(services.program_name), true);
            return exit_bad_command_line;
        }
    // Checked before the log opens: a second copy writes nothing at all.
    const auto guard =
        judge_guard(services.instance.claim(), account.ok() ? &account.value() : nullptr);
    if (guard.another_copy_running) {
        tell("The setup is already running.", true);
        return exit_already_running;
    }
    InstallLog log(services.platform.files, options->log_file, services.timestamp);
    if (const auto failure = log.open()) {
        tell("Cannot write the log file " + *options->log_file + ": " + failure->description, true);
        return exit_bad_command_line;
    }
    return run_command(*options, services, log, silent, guard.note);
}

} // namespace morvane
