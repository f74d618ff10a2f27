#include "app/commands/lifecycle_commands.hpp"

#include "app/install/changeable_macro_folder.hpp"
#include "app/install/installation_scope.hpp"
#include "app/lifecycle/installation_items.hpp"
#include "app/lifecycle/recorded_user_shell.hpp"
#include "app/lifecycle/uninstall.hpp"
#include "app/window/startup.hpp"
#include "integration/sas_config_update.hpp"

namespace morvane {
namespace {

std::string record_path(Platform& platform) {
    return setup_record_path(platform.location.program_folder());
}

Result<const SasRelease*> named_release(const SetupRecord& record, Platform& platform) {
    const auto* release = release_with_version_key(record.sas_version);
    if (release == nullptr)
        return PlatformError{PlatformError::Kind::other,
                             "The setup record " + record_path(platform) +
                                 " names an unknown release \"" + record.sas_version + "\"."};
    return release;
}

// Says why the command cannot go on and gives its exit code.
int failed(Reporter& reporter, const PlatformError& failure) {
    report_failure(reporter, failure.description);
    return exit_code_of(failure);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace

Result<std::optional<SetupRecord>> recorded_setup(Platform& platform) {
    auto record = read_setup_record(platform.files, record_path(platform));
    if (record.ok())
        return std::optional<SetupRecord>(record.value());
    if (record.error().is_not_found())
        return std::optional<SetupRecord>();
    // A record that cannot be read still stands for an installation: never "nothing".
    return record.error();
}

Result<CommandTarget> command_target(const CommandLine& options,
                                     const std::optional<SetupRecord>& recorded,
                                     Platform& platform) {
    const auto not_installed = [](std::string text) {
        return PlatformError{PlatformError::Kind::not_installed, std::move(text)};
    };
    CommandTarget target;
    target.installation = read_installation_record(platform.registry);
    if (recorded) {
        const auto named = named_release(*recorded, platform);
        if (!named.ok())
            return named.error();
        target.release = named.value();
    } else {
        target.release = options.release ? options.release : target.installation.newest_installed();
    }
    if (target.release == nullptr)
        return not_installed("No SAS System version is installed.");
    if (!target.installation.of(*target.release).installed())
        return not_installed(std::string(target.release->caption) + " is not installed.");
    return target;
}

int run_verify(const CommandLine& options, Platform& platform, Reporter& reporter) {
    const auto recorded = recorded_setup(platform);
    if (!recorded.ok())
        return failed(reporter, recorded.error());
    const auto found = command_target(options, recorded.value(), platform);
    if (!found.ok())
        return failed(reporter, found.error());
    const auto& target = found.value();
    const auto scope =
        recorded.value() ? recorded_scope(*recorded.value(), target.installation)
                         : choose_scope(options.scope, target.installation, platform.account).scope;
    auto users_shell = recorded_users_shell(recorded.value(), platform);
    auto as_recorded = with_shell(platform, users_shell);
    const auto items = installation_items(target.installation, *target.release, scope, as_recorded);
    if (!items.ok())
        return failed(reporter, items.error());
    const auto& expected = items.value();
    const SasautosCheck sasautos{
        expected.sas_config_file, [&](std::string_view content) {
            const auto outcome =
                sas_config_outcome(content, platform.encoding, expected.macro_folder);
            // A folder the file cannot hold is not listed there.
            return outcome.ok() ? outcome.value() : SasautosOutcome::updated;
        }};
    auto lines = verify_folders(expected.shortcut_folders, platform.files);
    for (auto& line : verify_installation(expected.files(), expected.shortcuts, sasautos,
                                          platform.files, platform.shell))
        lines.push_back(std::move(line));
    std::vector<std::string> not_in_place;
    for (const auto& line : lines) {
        reporter.status(to_text(line));
        if (fails_detection(line))
            not_in_place.push_back(to_text(line));
    }
    // Told, but no reason to call the installation incomplete.
    if (const auto note = changeable_macro_folder_note(platform.files, expected.macro_folder,
                                                       platform.location.program_folder(),
                                                       expected.sas_config_file))
        reporter.note(*note);
    if (not_in_place.empty()) {
        reporter.status("The Morvane installation is complete.");
        reporter.box("The Morvane installation for " + std::string(target.release->caption) +
                         " is complete.",
                     "Notice", MessageIcon::information);
        return exit_installed;
    }
    reporter.error("The Morvane installation is incomplete.");
    reporter.box("The Morvane installation is incomplete:\n" + joined(not_in_place), "Error!",
                 MessageIcon::critical);
    return exit_verify_found_changes;
}

int run_uninstall(Platform& platform, Reporter& reporter) {
    const auto recorded = recorded_setup(platform);
    if (!recorded.ok())
        return failed(reporter, recorded.error());
    const auto& record = recorded.value();
    if (!record) {
        const auto text =
            "Nothing is recorded in " + record_path(platform) + ": there is nothing to uninstall.";
        reporter.status(text);
        reporter.box(text, "Notice", MessageIcon::information);
        return exit_installed;
    }
    if (!confirmed(reporter,
                   "Remove the Morvane macro library, its shortcuts and its SASAUTOS entry?",
                   window_title))
        return exit_left_without_installing;
    const auto places = own_places(*record, read_installation_record(platform.registry), platform);
    const auto report = uninstall(*record, places, platform.files, platform.shell, platform.hashing,
                                  remove_sas_config_entry);
    std::vector<std::string> worth_telling;
    bool any_failed = false;
    for (const auto& line : report.lines) {
        const bool failure = line.action == UninstallAction::failed;
        failure ? reporter.error(to_text(line)) : reporter.status(to_text(line));
        any_failed |= failure;
        if (failure || line.action == UninstallAction::kept_changed ||
            line.action == UninstallAction::kept_not_empty ||
            line.action == UninstallAction::left_listed || line.action == UninstallAction::not_ours)
            worth_telling.push_back(to_text(line));
    }
    if (any_failed) {
        reporter.error("Uninstallation incomplete: what failed is still recorded; run /uninstall "
                       "again once the cause is fixed.");
        reporter.box("The uninstallation is incomplete:\n" + joined(worth_telling), "Error!",
                     MessageIcon::critical);
        return exit_step_failed;
    }
    reporter.status("Uninstallation completed.");
    reporter.box("The Morvane setup was removed." +
                     (worth_telling.empty() ? "" : "\n\n" + joined(worth_telling)),
                 "Notice", MessageIcon::information);
    return exit_installed;
}

Result<CommandLine> repair_options(CommandLine options, Platform& platform) {
    const auto recorded = recorded_setup(platform);
    if (!recorded.ok())
        return recorded.error();
    if (!recorded.value())
        return options;
    const auto release = named_release(*recorded.value(), platform);
    if (!release.ok())
        return release.error();
    options.release = release.value();
    options.scope = recorded_scope(*recorded.value(), read_installation_record(platform.registry));
    // A service account would make the recorded user's shortcuts in its own profile, where
    // nobody sees them.
    const auto& user = recorded.value()->user;
    if (const auto account = platform.account.current();
        account.ok() && account.value().service && user && user->sid != account.value().sid &&
        options.scope == ShortcutScope::current_user)
        return PlatformError{PlatformError::Kind::other,
                             "The installation's shortcuts were made for one user, and " +
                                 account.value().name +
                                 " is a service account whose desktop no person sees: run "
                                 "/repair as that user."};
    return options;
}

} // namespace morvane
