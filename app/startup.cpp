#include "app/startup.hpp"

#include "app/read_registry_string.hpp"

#include <exception>

namespace morvane {

InstallationRecord read_installation_record(Registry& registry) {
    const auto read = [&registry](const std::string& key, const std::string& name) {
        return read_registry_string(registry, key, name).value_or("");
    };
    InstallationRecord r;
    r.sas8_key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8";
    r.sas91_key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
    r.sas92_key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2";
    r.reg_value_name = "DefaultRoot";
    r.sas_exe_name = missing_sas_exe;
    r.sas8_root = read(r.sas8_key, r.reg_value_name);
    r.sas91_root = read(r.sas91_key, r.reg_value_name);
    r.sas92_root = read(r.sas92_key, r.reg_value_name);
    r.sas8_exe = r.sas8_root + r.sas_exe_name;
    r.sas91_exe = r.sas91_root + r.sas_exe_name;
    r.sas92_exe = r.sas92_root + r.sas_exe_name;
    r.sas8_globals_key = r.sas8_key + "\\Setup\\Globals";
    r.sas91_globals_key = r.sas91_key + "\\Setup\\Globals";
    r.sas92_globals_key = r.sas92_key + "\\Setup\\Globals";
    r.sasuser_value_name = "szSASUser";
    r.catalog_file_name = "\\cdisc.sas7bcat";
    r.sas8_user_dir = read(r.sas8_globals_key, r.sasuser_value_name);
    r.sas91_user_dir = read(r.sas91_globals_key, r.sasuser_value_name);
    r.sas92_user_dir = read(r.sas92_globals_key, r.sasuser_value_name);
    r.sas8_user_catalog = r.sas8_user_dir + r.catalog_file_name;
    r.sas91_user_catalog = r.sas91_user_dir + r.catalog_file_name;
    r.sas92_user_catalog = r.sas92_user_dir + r.catalog_file_name;
    r.product_key = "SOFTWARE\\Talmora\\Morvane";
    r.reg_value_name = "AllUsers";
    r.all_users = read(r.product_key, r.reg_value_name);
    return r;
}

std::unique_ptr<frmMain> Main(Platform& platform, SetupWindowView& view) {
    try {
        auto form =
            std::make_unique<frmMain>(platform, view, read_installation_record(platform.registry));
        form->Form_Load();
        view.show();
        return form;
    } catch (const std::exception&) {
        platform.messages.show("Can not read data from registry", "Error!", MessageIcon::critical);
        return nullptr;
    }
}

} // namespace morvane
