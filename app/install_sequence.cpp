#include "app/install_sequence.hpp"

#include "integration/sas_config_file.hpp"
#include "integration/sas_config_update.hpp"
#include "integration/shortcuts.hpp"
#include "integration/tool_config.hpp"
#include "macros/macro_files.hpp"

#include <memory>

namespace morvane {
namespace {

Failure remove_stale_catalog(const SasInstallation& sas, FileSystem& files) {
    // Without a SASUSER folder the path would name the root of a drive.
    if (sas.user_dir.empty() || !files.file_exists(sas.user_catalog))
        return std::nullopt;
    return files.delete_file(sas.user_catalog);
}

} // namespace

std::vector<InstallStep> install_steps(const InstallationRecord& record, const SasRelease& release,
                                       Platform& platform) {
    const auto& sas = record.of(release);
    auto writer = std::make_shared<SasFileWriter>(platform.files, platform.encoding,
                                                  platform.location.program_folder());
    std::vector<InstallStep> steps;
    steps.push_back({"", "Error deleting cdisc.sas7bcat ...", InstallStep::Progress::silent,
                     [&sas, &platform] { return remove_stale_catalog(sas, platform.files); }});
    steps.push_back({"Creating autoexec.sas ...", "Error creating autoexec.sas ...",
                     InstallStep::Progress::start, [writer, &platform] {
                         return create_autoexec(*writer, platform.shell, platform.files);
                     }});
    for (const auto& macro_file : macro_files) {
        const std::string name(macro_file.file_name);
        steps.push_back({"Creating " + name + " ...", "Error creating " + name + " ...",
                         InstallStep::Progress::advance,
                         [writer, create = macro_file.create] { return create(*writer); }});
    }
    steps.push_back({"Creating desktop shortcut ...", "Error creating desktop shortcut ...",
                     InstallStep::Progress::advance, [writer, &record, &release, &platform] {
                         return create_shortcuts(std::string(release.version_key), record,
                                                 {platform.shell, platform.files,
                                                  writer->program_folder(),
                                                  platform.location.program_stem()});
                     }});
    steps.push_back({"Config SAS System ...", "Error configing SAS System ...",
                     InstallStep::Progress::advance, [writer, &sas, &platform] {
                         const auto config =
                             sas_config_to_update(platform.files, *sas.release, sas.root);
                         return update_sas_config_file(platform.files, platform.encoding,
                                                       writer->macro_folder(), config);
                     }});
    steps.push_back({"", "Error configing SAS System ...", InstallStep::Progress::keep,
                     [writer] { return write_tool_config(*writer); }});
    return steps;
}

bool run_steps(const std::vector<InstallStep>& steps, InstallObserver& observer) {
    for (const auto& step : steps) {
        observer.before_step(step);
        if (const auto failure = step.run()) {
            observer.step_failed(step, *failure);
            return false;
        }
    }
    return true;
}

} // namespace morvane
