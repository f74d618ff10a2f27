#pragma once

#include <array>
#include <string>
#include <string_view>

namespace morvane {

// How the configuration file that gets the SASAUTOS entry is found under a release's root.
enum class ConfigLookup {
    // The named file and no other.
    named_file,
    // The named file; when it is missing, the language file that the root's SASV9.CFG
    // names through its first -CONFIG line.
    named_file_then_root_config,
    // The file of the root's first -CONFIG line, as SAS itself finds its language file;
    // the named file when the root file has no such line.
    root_config_then_named_file,
};

// One SAS System release that the setup knows how to prepare.
struct SasRelease {
    // The option button's caption in the setup window.
    std::string_view caption;
    // Under HKEY_LOCAL_MACHINE; holds DefaultRoot, and Setup\Globals holds szSASUser.
    std::string_view registry_key;
    // The version key of an installation run.
    std::string_view version_key;
    // The value of the /sas= switch.
    std::string_view switch_value;
    // Relative to the root: the configuration file that gets the SASAUTOS entry, and how
    // it is looked up.
    std::string_view config_file;
    ConfigLookup config_lookup;
    // Relative to the root: the configuration file that the shortcuts pass to SAS.
    std::string_view shortcut_config_file;
    // The window was designed with an option for this release, shown disabled when it is
    // not installed; later releases get an option only when installed.
    bool listed_when_missing;
};

// Oldest first: the window lists them in this order and preselects the newest installed.
inline constexpr std::array<SasRelease, 5> sas_releases = {{
    {"SAS System version 8", "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8", "sas8", "8",
     "\\SASV8.CFG", ConfigLookup::named_file, "\\SASV8.CFG", true},
    {"SAS System version 9.1", "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1", "sas9", "9.1",
     "\\nls\\en\\SASV9.CFG", ConfigLookup::named_file_then_root_config, "\\SASV9.CFG", true},
    {"SAS System version 9.2", "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2", "sas92", "9.2",
     "\\nls\\en\\SASV9.CFG", ConfigLookup::named_file_then_root_config, "\\SASV9.CFG", true},
    {"SAS System version 9.3", "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.3", "sas93", "9.3",
     "\\nls\\en\\SASV9.CFG", ConfigLookup::root_config_then_named_file, "\\SASV9.CFG", false},
    {"SAS System version 9.4", "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.4", "sas94", "9.4",
     "\\nls\\en\\SASV9.CFG", ConfigLookup::root_config_then_named_file, "\\SASV9.CFG", false},
}};

// Nothing when no release has that version key.
const SasRelease* release_with_version_key(std::string_view version_key);
// Nothing when no release has that /sas= value.
const SasRelease* release_with_switch_value(std::string_view switch_value);
// "8, 9.1, 9.2, 9.3 or 9.4", joined with separator but "or" before the last when
// last_separator is given.
std::string switch_values(std::string_view separator, std::string_view last_separator);

} // namespace morvane
