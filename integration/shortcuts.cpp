#include "integration/shortcuts.hpp"

namespace morvane {
namespace {

constexpr int maximized = 3;

struct SasLaunch {
    std::string target;
    std::string working_folder;
    std::string config_file;
};

SasLaunch launch_for(const std::string& sas_version, const InstallationRecord& record) {
    const auto* sas = record.with_version_key(sas_version);
    if (sas == nullptr)
        return {};
    return {sas->exe, sas->root, sas->root + std::string(sas->release->shortcut_config_file)};
}

Failure save(const ShortcutServices& services, Shortcut shortcut, SpecialFolder folder,
             const std::string& sub_folder) {
    const auto base = services.shell.special_folder(folder);
    if (!base.ok())
        return base.error();
    // Nothing else makes the Start-menu folder among all users' programs.
    if (folder == SpecialFolder::all_users_programs) {
        services.files.make_folder(base.value() + "\\Talmora");
        services.files.make_folder(base.value() + "\\Talmora\\MORVANE");
    }
    shortcut.file_path = base.value() + sub_folder + "\\Morvane.lnk";
    return services.shell.save_shortcut(shortcut);
}

} // namespace

Failure create_shortcuts(const std::string& sas_version, const InstallationRecord& record,
                         const ShortcutServices& services) {
    const auto launch = launch_for(sas_version, record);
    const auto launch_config = services.program_folder + "\\morvane.cfg";
    Shortcut shortcut;
    shortcut.description = "Morvane";
    shortcut.show_command = maximized;
    shortcut.arguments =
        " -CONFIG \"" + launch.config_file + "\" -CONFIG \"" + launch_config + "\"";
    shortcut.target_path = launch.target;
    shortcut.working_directory = launch.working_folder;
    shortcut.icon_location = services.program_folder + "\\" + services.program_stem + ".icx";

    const bool for_all_users = record.all_users == "1";
    if (auto failure =
            save(services, shortcut,
                 for_all_users ? SpecialFolder::all_users_desktop : SpecialFolder::desktop, ""))
        return failure;
    return save(services, shortcut,
                for_all_users ? SpecialFolder::all_users_programs : SpecialFolder::programs,
                "\\Talmora\\MORVANE");
}

} // namespace morvane
