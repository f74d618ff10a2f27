#include "app/lifecycle_commands.hpp"

#include "app/installation_items.hpp"
#include "app/startup.hpp"
#include "app/uninstall.hpp"
#include "integration/sas_config_update.hpp"

#include <exception>

namespace morvane {
namespace {

std::string record_path(Platform& platform) {
    return setup_record_path(platform.location.program_folder());
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace

std::variant<std::optional<SetupRecord>, int> recorded_setup(Platform& platform,
                                                             CommandOutput& output) {
    auto record = read_setup_record(platform.files, record_path(platform));
    if (record.ok())
        return std::optional<SetupRecord>(record.value());
    if (record.error().is_not_found())
        return std::optional<SetupRecord>();
    // A record that cannot be read still stands for an installation: never "nothing".
    output.fail(record.error().description);
    return exit_step_failed;
}

std::variant<CommandTarget, int> command_target(const CommandLine& options,
                                                const std::optional<SetupRecord>& recorded,
                                                Platform& platform, CommandOutput& output) {
    CommandTarget target;
    try {
        target.installation = read_installation_record(platform.registry);
    } catch (const std::exception&) {
        output.fail(registry_error_text);
        return exit_step_failed;
    }
    if (recorded) {
        target.release = release_with_version_key(recorded->sas_version);
        if (target.release == nullptr) {
            output.fail("The setup record " + record_path(platform) +
                        " names an unknown release \"" + recorded->sas_version + "\".");
            return exit_step_failed;
        }
    } else {
        target.release = options.release ? options.release : target.installation.newest_installed();
    }
    if (target.release == nullptr) {
        output.fail("No SAS System version is installed.");
        return exit_no_sas;
    }
    if (!target.installation.of(*target.release).installed()) {
        output.fail(std::string(target.release->caption) + " is not installed.");
        return exit_no_sas;
    }
    return target;
}

int run_verify(const CommandLine& options, Platform& platform, CommandOutput& output) {
    const auto recorded = recorded_setup(platform, output);
    if (const auto* code = std::get_if<int>(&recorded))
        return *code;
    const auto found =
        command_target(options, std::get<std::optional<SetupRecord>>(recorded), platform, output);
    if (const auto* code = std::get_if<int>(&found))
        return *code;
    const auto& target = std::get<CommandTarget>(found);
    const auto items = installation_items(target.installation, *target.release, platform);
    if (!items.ok()) {
        output.fail(items.error().description);
        return exit_step_failed;
    }
    const auto& expected = items.value();
    const SasautosCheck sasautos{expected.sas_config_file, [&](std::string_view content) {
                                     return sas_config_lists_folder(content, platform.encoding,
                                                                    expected.macro_folder);
                                 }};
    const auto lines = verify_installation(expected.files(), expected.shortcuts, sasautos,
                                           platform.files, platform.shell);
    std::vector<std::string> not_in_place;
    for (const auto& line : lines) {
        output.out(to_text(line));
        if (line.status != VerifyStatus::ok)
            not_in_place.push_back(to_text(line));
    }
    if (not_in_place.empty()) {
        output.out("The Morvane installation is complete.");
        output.box("The Morvane installation for " + std::string(target.release->caption) +
                       " is complete.",
                   "Notice", MessageIcon::information);
        return exit_installed;
    }
    output.err("The Morvane installation is incomplete.");
    output.box("The Morvane installation is incomplete:\n" + joined(not_in_place), "Error!",
               MessageIcon::critical);
    return exit_verify_found_changes;
}

int run_uninstall(Platform& platform, CommandOutput& output) {
    const auto recorded = recorded_setup(platform, output);
    if (const auto* code = std::get_if<int>(&recorded))
        return *code;
    const auto& record = std::get<std::optional<SetupRecord>>(recorded);
    if (!record) {
        const auto text =
            "Nothing is recorded in " + record_path(platform) + ": there is nothing to uninstall.";
        output.out(text);
        output.box(text, "Notice", MessageIcon::information);
        return exit_installed;
    }
    if (!output.confirm("Remove the Morvane macro library, its shortcuts and its SASAUTOS entry?",
                        window_title))
        return exit_left_without_installing;
    const auto report = uninstall(*record, record_path(platform), platform.files, platform.shell,
                                  platform.hashing, remove_sas_config_entry);
    std::vector<std::string> worth_telling;
    bool failed = false;
    for (const auto& line : report.lines) {
        const bool failure = line.action == UninstallAction::failed;
        failure ? output.err(to_text(line)) : output.out(to_text(line));
        failed |= failure;
        if (failure || line.action == UninstallAction::kept_changed ||
            line.action == UninstallAction::kept_not_empty ||
            line.action == UninstallAction::left_listed || line.action == UninstallAction::not_ours)
            worth_telling.push_back(to_text(line));
    }
    if (failed) {
        output.err("Uninstallation incomplete: what failed is still recorded; run /uninstall "
                   "again once the cause is fixed.");
        output.box("The uninstallation is incomplete:\n" + joined(worth_telling), "Error!",
                   MessageIcon::critical);
        return exit_step_failed;
    }
    output.out("Uninstallation completed.");
    output.box("The Morvane setup was removed." +
                   (worth_telling.empty() ? "" : "\n\n" + joined(worth_telling)),
               "Notice", MessageIcon::information);
    return exit_installed;
}

std::optional<int> choose_repair_release(CommandLine& options, Platform& platform,
                                         CommandOutput& output) {
    const auto recorded = recorded_setup(platform, output);
    if (const auto* code = std::get_if<int>(&recorded))
        return *code;
    const auto& record = std::get<std::optional<SetupRecord>>(recorded);
    if (!record)
        return std::nullopt;
    options.release = release_with_version_key(record->sas_version);
    if (options.release == nullptr) {
        output.fail("The setup record " + record_path(platform) + " names an unknown release \"" +
                    record->sas_version + "\".");
        return exit_step_failed;
    }
    return std::nullopt;
}

} // namespace morvane
