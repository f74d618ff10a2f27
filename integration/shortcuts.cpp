#include "integration/shortcuts.hpp"

#include "product/layout.hpp"

namespace morvane {
namespace {

constexpr int maximized = 3;

struct SasLaunch {
    std::string target;
    std::string working_folder;
    std::string config_file;
};

SasLaunch launch_for(const SasRelease& release, const InstallationRecord& record) {
    const auto& sas = record.of(release);
    return {sas.exe, sas.root, sas.root + std::string(release.shortcut_config_file)};
}

} // namespace

ShortcutScope scope_of_setting(const InstallationRecord& record) {
    return record.all_users == "1" ? ShortcutScope::all_users : ShortcutScope::current_user;
}

std::vector<SpecialFolder> shortcut_folders(ShortcutScope scope) {
    if (scope == ShortcutScope::all_users)
        return {SpecialFolder::all_users_desktop, SpecialFolder::all_users_programs};
    return {SpecialFolder::desktop, SpecialFolder::programs};
}

Result<std::vector<std::string>> shortcut_folders_made(ShortcutScope scope, Shell& shell) {
    // The current user's Start-menu folders are made with the macro folder.
    if (scope == ShortcutScope::current_user)
        return std::vector<std::string>();
    const auto programs = shell.special_folder(SpecialFolder::all_users_programs);
    if (!programs.ok())
        return programs.error();
    return std::vector<std::string>{vendor_folder_path(programs.value()),
                                    product_folder_path(programs.value())};
}

Result<std::vector<Shortcut>> morvane_shortcuts(const SasRelease& release,
                                                const InstallationRecord& record,
                                                ShortcutScope scope,
                                                const ShortcutServices& services) {
    const auto launch = launch_for(release, record);
    const auto launch_config = launch_config_path(services.program_folder);
    Shortcut shortcut;
    shortcut.description = "Morvane";
    shortcut.show_command = maximized;
    shortcut.arguments =
        " -CONFIG \"" + launch.config_file + "\" -CONFIG \"" + launch_config + "\"";
    shortcut.target_path = launch.target;
    shortcut.working_directory = launch.working_folder;
    shortcut.icon_location = services.program_folder + "\\" + services.program_stem + ".icx";

    const auto folders = shortcut_folders(scope);
    std::vector<Shortcut> shortcuts;
    for (const auto folder : folders) {
        const auto base = services.shell.special_folder(folder);
        if (!base.ok())
            return base.error();
        const bool in_product_folder = folder != folders.front();
        shortcut.file_path =
            shortcut_path(in_product_folder ? product_folder_path(base.value()) : base.value());
        shortcuts.push_back(shortcut);
    }
    return shortcuts;
}

Failure create_shortcuts(const SasRelease& release, const InstallationRecord& record,
                         ShortcutScope scope, const ShortcutServices& services) {
    // A profile may lack its desktop; a shortcut can be saved only into a folder that is there.
    for (const auto folder : shortcut_folders(scope))
        if (const auto made = services.shell.make_special_folder(folder); !made.ok())
            return made.error();
    const auto shortcuts = morvane_shortcuts(release, record, scope, services);
    if (!shortcuts.ok())
        return shortcuts.error();
    // Nothing else makes the Start-menu folder among all users' programs.
    if (const auto folders = shortcut_folders_made(scope, services.shell); folders.ok())
        for (const auto& folder : folders.value())
            services.files.make_folder(folder);
    for (const auto& shortcut : shortcuts.value())
        if (auto failure = services.shell.save_shortcut(shortcut))
            return failure;
    return std::nullopt;
}

} // namespace morvane
