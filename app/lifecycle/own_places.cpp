#include "app/lifecycle/own_places.hpp"

#include "integration/sas_config_file.hpp"
#include "macros/macro_files.hpp"
#include "text/ascii.hpp"

#include <algorithm>

namespace morvane {
namespace {

// A path that means what it reads: backslashes only, no "." or ".." step that could lead
// out of the folder it starts with, and no colon but the drive's (no alternate stream).
bool is_plain(std::string_view path) {
    if (path.find('/') != path.npos || path.find(':', 2) != path.npos)
        return false;
    for (std::size_t begin = 0; begin <= path.size();) {
        const auto end = std::min(path.find('\\', begin), path.size());
        const auto step = path.substr(begin, end - begin);
        if (step == "." || step == "..")
            return false;
        begin = end + 1;
    }
    return true;
}

bool is_one_of(std::string_view path, const std::vector<std::string>& places) {
    return std::any_of(places.begin(), places.end(),
                       [&](const std::string& place) { return same_ignoring_case(path, place); });
}

bool is_plain_one_of(std::string_view path, const std::vector<std::string>& places) {
    return is_plain(path) && is_one_of(path, places);
}

struct UserFolders {
    std::string desktop;
    std::string programs;
};

std::string folder_or_nothing(Shell& shell, SpecialFolder folder) {
    const auto found = shell.special_folder(folder);
    return found.ok() ? found.value() : "";
}

UserFolders installation_user(const SetupRecord& record, Shell& shell) {
    if (record.user)
        return {record.user->desktop, record.user->programs};
    // A record of an earlier release was made by whoever undoes it.
    return {folder_or_nothing(shell, SpecialFolder::desktop),
            folder_or_nothing(shell, SpecialFolder::programs)};
}

} // namespace

bool OwnPlaces::is_launch_config(std::string_view path) const {
    return same_ignoring_case(path, launch_config_path(program_folder));
}

bool OwnPlaces::is_generated_file(std::string_view path) const {
    return is_plain_one_of(path, generated_files);
}

bool OwnPlaces::is_folder(std::string_view path) const {
    return is_plain(path) &&
           (same_ignoring_case(path, macro_folder) || is_one_of(path, start_menu_folders));
}

bool OwnPlaces::is_shortcut(std::string_view path) const {
    return is_plain_one_of(path, shortcuts);
}

bool OwnPlaces::is_sasautos_update(const RecordedSasautos& update) const {
    // Named by the registry, which only administrators write; its root may have a "/".
    return is_one_of(update.config_file, sas_config_files) &&
           is_one_of(update.macro_folder, macro_folder_entries);
}

bool OwnPlaces::launches_here(const Shortcut& shortcut) const {
    return contains_ignoring_case(shortcut.arguments,
                                  '"' + launch_config_path(program_folder) + '"');
}

OwnPlaces own_places(const SetupRecord& record, const InstallationRecord& installation,
                     Platform& platform) {
    OwnPlaces places;
    places.program_folder = platform.location.program_folder();
    places.macro_folder = macro_folder_path(places.program_folder);
    places.generated_files = {launch_config_path(places.program_folder),
                              places.macro_folder + "\\" + std::string(autoexec_file_name)};
    for (const auto& macro_file : macro_files)
        places.generated_files.push_back(places.macro_folder + "\\" +
                                         std::string(macro_file.file_name));
    places.macro_folder_entries = {places.macro_folder};
    if (const auto ansi = platform.encoding.to_ansi(places.macro_folder); ansi.ok())
        places.macro_folder_entries.push_back(ansi.value());
    for (const auto& sas : installation.sas)
        if (sas.installed())
            places.sas_config_files.push_back(
                sas_config_to_update(platform.files, *sas.release, sas.root));

    const auto user = installation_user(record, platform.shell);
    const auto all_users_desktop =
        folder_or_nothing(platform.shell, SpecialFolder::all_users_desktop);
    const auto all_users_programs =
        folder_or_nothing(platform.shell, SpecialFolder::all_users_programs);
    for (const auto& programs : {all_users_programs, user.programs})
        if (!programs.empty())
            places.start_menu_folders.insert(
                places.start_menu_folders.end(),
                {vendor_folder_path(programs), product_folder_path(programs)});
    // A record of an earlier release does not say: the registry said then what it says now.
    const bool all_users =
        record.scope ? *record.scope == ShortcutScope::all_users : installation.all_users == "1";
    const auto& desktop = all_users ? all_users_desktop : user.desktop;
    const auto& programs = all_users ? all_users_programs : user.programs;
    if (!desktop.empty())
        places.shortcuts.push_back(shortcut_path(desktop));
    if (!programs.empty())
        places.shortcuts.push_back(shortcut_path(product_folder_path(programs)));
    return places;
}

} // namespace morvane
