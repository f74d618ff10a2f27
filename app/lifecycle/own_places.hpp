#pragma once

#include "app/record/setup_record.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Everything this program makes from one program folder on this machine, worked out from
// the product's layout, the folder and the installed releases alone. Anyone who can write
// to the program folder can edit the setup record, so an uninstallation, which may run
// elevated, touches what the record names only when it is one of these.
struct OwnPlaces {
    std::string program_folder;
    std::vector<std::string> generated_files; // morvane.cfg and the macro library
    std::string macro_folder;
    // The macro folder as a SASAUTOS entry names it: in UTF-8 and in the ANSI code page.
    std::vector<std::string> macro_folder_entries;
    // The file that gets the SASAUTOS entry, for each release installed here.
    std::vector<std::string> sas_config_files;
    // The Start-menu folders the installations make: all users' and their user's.
    std::vector<std::string> start_menu_folders;
    // Where the shortcuts go for the installation's scope and user.
    std::vector<std::string> shortcuts;

    bool is_launch_config(std::string_view path) const;
    bool is_generated_file(std::string_view path) const;
    bool is_folder(std::string_view path) const;
    bool is_shortcut(std::string_view path) const;
    bool is_sasautos_update(const RecordedSasautos& update) const;
    // The shortcut starts SAS with this folder's morvane.cfg.
    bool launches_here(const Shortcut& shortcut) const;
};

// A special folder the shell cannot give adds nothing: nothing there is taken for ours.
// A current-user installation's folders are those recorded for its user, so that another
// account (a deployment tool's SYSTEM) undoes the right ones.
OwnPlaces own_places(const SetupRecord& record, const InstallationRecord& installation,
                     Platform& platform);

} // namespace morvane
