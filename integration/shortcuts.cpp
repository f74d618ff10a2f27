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
    if (sas_version == "sas8")
        return {record.sas8_exe, record.sas8_root, record.sas8_root + "\\SASV8.CFG"};
    if (sas_version == "sas9")
        return {record.sas91_exe, record.sas91_root, record.sas91_root + "\\SASV9.CFG"};
    if (sas_version == "sas92")
        return {record.sas92_exe, record.sas92_root, record.sas92_root + "\\SASV9.CFG"};
    return {};
}

bool save(const ShortcutServices& services, Shortcut shortcut, SpecialFolder folder,
          const std::string& sub_folder) {
    const auto base = services.shell.special_folder(folder);
    if (!base.ok()) {
        services.writer.report(base.error());
        return false;
    }
    // Nothing else makes the Start-menu folder among all users' programs.
    if (folder == SpecialFolder::all_users_programs) {
        services.files.make_folder(base.value() + "\\Talmora");
        services.files.make_folder(base.value() + "\\Talmora\\MORVANE");
    }
    shortcut.file_path = base.value() + sub_folder + "\\Morvane.lnk";
    if (const auto failure = services.shell.save_shortcut(shortcut)) {
        services.writer.report(*failure);
        return false;
    }
    return true;
}

} // namespace

bool create_shortcuts(const std::string& sas_version, const InstallationRecord& record,
                      const ShortcutServices& services) {
    const auto launch = launch_for(sas_version, record);
    const auto launch_config = services.writer.program_folder() + "\\morvane.cfg";
    Shortcut shortcut;
    shortcut.description = "Morvane";
    shortcut.show_command = maximized;
    shortcut.arguments =
        " -CONFIG \"" + launch.config_file + "\" -CONFIG \"" + launch_config + "\"";
    shortcut.target_path = launch.target;
    shortcut.working_directory = launch.working_folder;
    shortcut.icon_location =
        services.writer.program_folder() + "\\" + services.program_stem + ".icx";

    const bool for_all_users = record.all_users == "1";
    return save(services, shortcut,
                for_all_users ? SpecialFolder::all_users_desktop : SpecialFolder::desktop, "") &&
           save(services, shortcut,
                for_all_users ? SpecialFolder::all_users_programs : SpecialFolder::programs,
                "\\Talmora\\MORVANE");
}

} // namespace morvane
