#include "app/lifecycle/installation_items.hpp"

#include "integration/sas_config_file.hpp"
#include "integration/shortcuts.hpp"
#include "integration/tool_config.hpp"
#include "macros/macro_files.hpp"

namespace morvane {

std::vector<ExpectedFile> InstallationItems::files() const {
    auto all = macro_library;
    all.push_back(tool_config);
    return all;
}

Result<InstallationItems> installation_items(const InstallationRecord& record,
                                             const SasRelease& release, Platform& platform) {
    InstallationItems items;
    // The writers of the installation itself, with their bytes caught instead of written.
    std::vector<ExpectedFile> rendered;
    const SasFileWriter writer(
        [&rendered](const std::string& path, const std::string& bytes) -> Failure {
            rendered.push_back({path, bytes});
            return std::nullopt;
        },
        platform.encoding, platform.location.program_folder());
    if (auto failure = write_autoexec(writer))
        return *failure;
    for (const auto& macro_file : macro_files)
        if (auto failure = macro_file.create(writer))
            return *failure;
    if (auto failure = write_tool_config(writer))
        return *failure;
    items.tool_config = std::move(rendered.back());
    rendered.pop_back();
    items.macro_library = std::move(rendered);

    auto shortcuts = morvane_shortcuts(release, record,
                                       {platform.shell, platform.files, writer.program_folder(),
                                        platform.location.program_stem()});
    if (!shortcuts.ok())
        return shortcuts.error();
    items.shortcuts = shortcuts.value();
    const auto& sas = record.of(release);
    items.sas_config_file = sas_config_to_update(platform.files, *sas.release, sas.root);
    items.macro_folder = writer.macro_folder();
    return items;
}

} // namespace morvane
