#include "app/dry_run.hpp"

#include "app/installation_items.hpp"
#include "app/lifecycle_commands.hpp"
#include "app/setup_record.hpp"
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
    DryRun(Platform& platform, CommandOutput& output) : platform_(platform), output_(output) {}

    void file(const ExpectedFile& file) {
        const auto found = platform_.files.read_file(file.path);
        output_.out(action(found, found.ok() && found.value() == file.content) + file.path);
    }

    void shortcut(const Shortcut& shortcut) {
        const auto found = platform_.shell.read_shortcut(shortcut.file_path);
        output_.out(action(found, found.ok() && same_shortcut_members(found.value(), shortcut)) +
                    shortcut.file_path);
    }

    bool sas_config(const InstallationItems& items) {
        const auto& path = items.sas_config_file;
        const auto preview = preview_sas_config_update(platform_.files, platform_.encoding,
                                                       items.macro_folder, path);
        if (!preview.ok()) {
            output_.err("Error configing SAS System ... " + preview.error().description);
            return false;
        }
        switch (preview.value().outcome) {
        case SasautosOutcome::already_listed:
            output_.out("already listed " + path);
            break;
        case SasautosOutcome::no_list:
            output_.out("no list " + path);
            break;
        case SasautosOutcome::updated:
            output_.out("update " + path);
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
            output_.out(text.substr(begin, end - begin));
            begin = end + 1;
        }
    }

    Platform& platform_;
    CommandOutput& output_;
};

} // namespace

int run_dry_run(const CommandLine& options, Platform& platform, CommandOutput& output) {
    // An installation stops at a record it cannot read, and so does its dry run; it
    // chooses its release without the record.
    const auto recorded = recorded_setup(platform, output);
    if (const auto* code = std::get_if<int>(&recorded))
        return *code;
    const auto found = command_target(options, std::nullopt, platform, output);
    if (const auto* code = std::get_if<int>(&found))
        return *code;
    const auto& target = std::get<CommandTarget>(found);
    const auto items = installation_items(target.installation, *target.release, platform);
    if (!items.ok()) {
        output.err(items.error().description);
        return exit_step_failed;
    }
    output.out("What installing " + std::string(target.release->caption) + " would do:");
    const auto& sas = target.installation.of(*target.release);
    if (!sas.user_dir.empty() && platform.files.file_exists(sas.user_catalog))
        output.out("delete " + sas.user_catalog);
    DryRun dry_run(platform, output);
    for (const auto& file : items.value().macro_library)
        dry_run.file(file);
    for (const auto& shortcut : items.value().shortcuts)
        dry_run.shortcut(shortcut);
    if (!dry_run.sas_config(items.value()))
        return exit_step_failed;
    dry_run.file(items.value().tool_config);
    output.out("record " + setup_record_path(platform.location.program_folder()));
    output.out("Nothing was changed: this was a dry run.");
    return exit_installed;
}

} // namespace morvane
