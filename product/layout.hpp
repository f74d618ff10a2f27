#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Everything the product puts on a machine, each name once. Installing makes these; the
// dry run, verify and uninstall know what is the product's from here alone.
struct ProductLayout {
    std::string_view macro_folder;  // in the program folder
    std::string_view launch_config; // in the program folder
    std::string_view setup_record;  // in the program folder
    // Ends the name of a run's journal: the record's name, a part nobody can predict, this.
    std::string_view setup_journal;
    std::string_view vendor_folder;  // in a Start-menu programs folder
    std::string_view product_folder; // in the vendor folder
    std::string_view shortcut;       // on a desktop and in the product folder
    std::string_view registry_key;   // the product's settings, under HKEY_LOCAL_MACHINE
};

inline constexpr ProductLayout product_layout{
    "saspgm",  "morvane.cfg", "morvane-setup.ini", ".journal",
    "Talmora", "MORVANE",     "Morvane.lnk",       "SOFTWARE\\Talmora\\Morvane",
};

// Paths from the folders they lie in, as Windows names them: "D:\Kit" gives "D:\Kit\saspgm".
std::string macro_folder_path(const std::string& program_folder);
std::string launch_config_path(const std::string& program_folder);
std::string setup_record_path(const std::string& program_folder);
std::string vendor_folder_path(const std::string& programs_folder);
std::string product_folder_path(const std::string& programs_folder);
std::string shortcut_path(const std::string& folder);

} // namespace morvane
