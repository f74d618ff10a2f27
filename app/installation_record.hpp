#pragma once

#include <string>

namespace morvane {

// What start-up learns from the registry; read-only once filled.
struct InstallationRecord {
    std::string sas8_key;
    std::string sas91_key;
    std::string sas92_key;
    std::string reg_value_name;
    std::string sas_exe_name;
    std::string sas8_root;
    std::string sas91_root;
    std::string sas92_root;
    std::string sas8_exe;
    std::string sas91_exe;
    std::string sas92_exe;
    std::string sas8_globals_key;
    std::string sas91_globals_key;
    std::string sas92_globals_key;
    std::string sasuser_value_name;
    std::string catalog_file_name;
    std::string sas8_user_dir;
    std::string sas91_user_dir;
    std::string sas92_user_dir;
    std::string sas8_user_catalog;
    std::string sas91_user_catalog;
    std::string sas92_user_catalog;
    std::string product_key;
    std::string all_users;
};

// The executable path of a version that has no DefaultRoot.
inline constexpr const char* missing_sas_exe = "\\sas.exe";

} // namespace morvane
