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

bool for_all_users(const InstallationRecord& record) {
    return record.all_users == "1";
}

} // namespace

Result<std::vector<Shortcut>> morvane_shortcuts(const SasRelease& release,
                                                const InstallationRecord& record,
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

    const bool all = for_all_users(record);
    std::vector<Shortcut> shortcuts;
    for (const auto& [folder, in_product_folder] :
         {std::pair{all ? SpecialFolder::all_users_desktop : SpecialFolder::desktop, false},
          std::pair{all ? SpecialFolder::all_users_programs : SpecialFolder::programs, true}}) {
        const auto base = services.shell.special_folder(folder);
        if (!base.ok())
            return base.error();
        shortcut.file_path =
            shortcut_path(in_product_folder ? product_folder_path(base.value()) : base.value());
        shortcuts.push_back(shortcut);
    }
    return shortcuts;
}

Failure create_shortcuts(const SasRelease& release, const InstallationRecord& record,
                         const ShortcutServices& services) {
    const auto shortcuts = morvane_shortcuts(release, record, services);
    if (!shortcuts.ok())
        return shortcuts.error();
    // Nothing else makes the Start-menu folder among all users' programs.
    if (for_all_users(record))
        if (const auto programs = services.shell.special_folder(SpecialFolder::all_users_programs);
            programs.ok()) {
            services.files.make_folder(vendor_folder_path(programs.value()));
            services.files.make_folder(product_folder_path(programs.value()));
        }
    for (const auto& shortcut : shortcuts.value())
        if (auto failure = services.shell.save_shortcut(shortcut))
            return failure;
    return std::nullopt;
}

} // namespace morvane
