#pragma once

#include "sas/sas_releases.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// What start-up learned about one release. A missing registry value reads as the empty
// text, so a missing release's executable path is "\sas.exe" alone.
struct SasInstallation {
    const SasRelease* release = nullptr;
    std::string key;
    std::string globals_key;
    std::string root;
    std::string exe;
    std::string user_dir;
    std::string user_catalog;

    // Installed exactly when its DefaultRoot was found non-empty; the folder itself is
    // not checked.
    bool installed() const { return !root.empty(); }
};

// What start-up learns from the registry; read-only once filled.
struct InstallationRecord {
    // One per release, in the order of sas_releases.
    std::vector<SasInstallation> sas;
    std::string reg_value_name;
    std::string sas_exe_name;
    std::string sasuser_value_name;
    std::string catalog_file_name;
    std::string product_key;
    std::string all_users; // the AllUsers value as text, a DWORD in decimal

    const SasInstallation& of(const SasRelease& release) const;
    // Nothing for an unknown version key.
    const SasInstallation* with_version_key(std::string_view version_key) const;
    // The release that the window preselects; nothing when none is installed.
    const SasRelease* newest_installed() const;
};

// The executable path of a release that has no DefaultRoot.
inline constexpr const char* missing_sas_exe = "\\sas.exe";

} // namespace morvane
