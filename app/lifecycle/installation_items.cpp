#include "app/lifecycle/installation_items.hpp"

#include "integration/sas_config_file.hpp"
#include "integration/shortcuts.hpp"
#include "integration/tool_config.hpp"
#include "macros/macro_files.hpp"
#include "product/layout.hpp"

#include <algorithm>

namespace morvane {

namespace {

// The folders in the order the installation makes them: the current user's Start-menu
// folders and the macro folder first, then those of the shortcuts' step.
Result<std::vector<std::string>> folders_made(const InstallationItems& items, ShortcutScope scope,
                                              Shell& shell) {
    std::vector<std::string> folders;
    // The installation passes over a Start-menu folder it cannot have; so does the list.
    if (const auto programs = shell.special_folder(SpecialFolder::programs); programs.ok())
        folders = {programs.value(), vendor_folder_path(programs.value()),
                   product_folder_path(programs.value())};
    folders.push_back(items.macro_folder);
    for (const auto& folder : items.shortcut_folders)
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    const auto below = shortcut_folders_made(scope, shell);
    if (!below.ok())
        return below.error();
    folders.insert(folders.end(), below.value().begin(), below.value().end());
    return folders;
}

} // namespace

std::vector<ExpectedFile> InstallationItems::files() const {
    auto all = macro_library;
    all.push_back(tool_config);
    return all;
}

Result<InstallationItems> installation_items(const InstallationRecord& record,
                                             const SasRelease& release, ShortcutScope scope,
                                             Platform& platform) {
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

    auto shortcuts = morvane_shortcuts(release, record, scope,
                                       {platform.shell, platform.files, writer.program_folder(),
                                        platform.location.program_stem()});
    if (!shortcuts.ok())
        return shortcuts.error();
    items.shortcuts = shortcuts.value();
    const auto& sas = record.of(release);
    items.sas_config_file = sas_config_to_update(platform.files, *sas.release, sas.root);
    items.macro_folder = writer.macro_folder();
    for (const auto folder : shortcut_folders(scope)) {
        const auto path = platform.shell.special_folder(folder);
        if (!path.ok())
            return path.error();
        items.shortcut_folders.push_back(path.value());
    }
    auto folders = folders_made(items, scope, platform.shell);
    if (!folders.ok())
        return folders.error();
    items.folders = std::move(folders.value());
    return items;
}

} // namespace morvane
