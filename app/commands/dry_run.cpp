#include "app/commands/dry_run.hpp"

#include "app/commands/lifecycle_commands.hpp"
#include "app/install/changeable_macro_folder.hpp"
#include "app/install/installation_scope.hpp"
#include "app/lifecycle/installation_items.hpp"
#include "app/record/setup_record.hpp"
#include "integration/sas_config_update.hpp"
#include "integration/unified_diff.hpp"

namespace morvane {
namespace {

template <class T> std::string action(const Result<T>& found, bool same) {
    if (!found.ok() && found.error().is_not_found())
        return "create ";
    return found.ok() && same ? "unchanged " : "replace ";
}

class DryRun {
  public:
    DryRun(Platform& platform, Reporter& reporter) : platform_(platform), reporter_(reporter) {}

    void file(const ExpectedFile& file) {
        const auto found = platform_.files.read_file(file.path);
        reporter_.status(action(found, found.ok() && found.value() == file.content) + file.path);
    }

    void shortcut(const Shortcut& shortcut) {
        const auto found = platform_.shell.read_shortcut(shortcut.file_path);
        reporter_.status(
            action(found, found.ok() && same_shortcut_members(found.value(), shortcut)) +
            shortcut.file_path);
    }

    bool sas_config(const InstallationItems& items) {
        const auto& path = items.sas_config_file;
        const auto preview = preview_sas_config_update(platform_.files, platform_.encoding,
                                                       items.macro_folder, path);
        if (!preview.ok()) {
            reporter_.error("Error configing SAS System ... " + preview.error().description);
            return false;
        }
        switch (preview.value().outcome) {
        case SasautosOutcome::already_listed:
            reporter_.status("already listed " + path);
            break;
        case SasautosOutcome::no_list:
            reporter_.status("no list " + path);
            break;
        case SasautosOutcome::updated:
            reporter_.status("update " + path);
            diff(preview.value().before, preview.value().after, path);
            break;
        }
        return true;
    }

  private:
    void diff(const std::string& before, const std::string& after, const std::string& path) {
        const auto text = unified_diff(before, after, path, path);
        for (std::size_t begin = 0; begin < text.size();) {
            const auto end = text.find('\n', begin);
            reporter_.status(text.substr(begin, end - begin));
            begin = end + 1;
        }
    }

    Platform& platform_;
    Reporter& reporter_;
};

} // namespace

int run_dry_run(const CommandLine& options, Platform& platform, Reporter& reporter) {
    // An installation stops at a record it cannot read, and so does its dry run; it
    // chooses its release without the record.
    const auto recorded = recorded_setup(platform);
    const auto found = recorded.ok() ? command_target(options, std::nullopt, platform)
                                     : Result<CommandTarget>(recorded.error());
    if (!found.ok()) {
        reporter.error(found.error().description);
        return exit_code_of(found.error());
    }
    const auto& target = found.value();
    const auto scope = choose_scope(options.scope, target.installation, platform.account);
    const auto items =
        installation_items(target.installation, *target.release, scope.scope, platform);
    if (!items.ok()) {
        reporter.error(items.error().description);
        return exit_step_failed;
    }
    reporter.status("What installing " + std::string(target.release->caption) + " would do:");
    if (!scope.reason.empty())
        reporter.status(scope.reason);
    const auto& sas = target.installation.of(*target.release);
    if (!sas.user_dir.empty() && platform.files.file_exists(sas.user_catalog))
        reporter.status("delete " + sas.user_catalog);
    for (const auto& folder : items.value().folders)
        if (!platform.files.folder_exists(folder))
            reporter.status("create " + folder);
    DryRun dry_run(platform, reporter);
    for (const auto& file : items.value().macro_library)
        dry_run.file(file);
    for (const auto& shortcut : items.value().shortcuts)
        dry_run.shortcut(shortcut);
    if (!dry_run.sas_config(items.value()))
        return exit_step_failed;
    if (const auto note = changeable_macro_folder_note(platform.files, items.value().macro_folder,
                                                       platform.location.program_folder(),
                                                       items.value().sas_config_file))
        reporter.note(*note);
    dry_run.file(items.value().tool_config);
    reporter.status("record " + setup_record_path(platform.location.program_folder()));
    reporter.status("Nothing was changed: this was a dry run.");
    return exit_installed;
}

} // namespace morvane
