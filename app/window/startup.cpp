#include "app/window/startup.hpp"

#include "app/reporting/message_box_reporter.hpp"
#include "app/window/read_all_users.hpp"
#include "app/window/read_registry_string.hpp"
#include "product/layout.hpp"

#include <exception>

namespace morvane {

InstallationRecord read_installation_record(Registry& registry) {
    const auto read = [&registry](const std::string& key, const std::string& name) {
        return read_registry_string(registry, key, name).value_or("");
    };
    InstallationRecord r;
    r.reg_value_name = "DefaultRoot";
    r.sas_exe_name = missing_sas_exe;
    for (const auto& release : sas_releases) {
        SasInstallation installation;
        installation.release = &release;
        installation.key = release.registry_key;
        installation.root = read(installation.key, r.reg_value_name);
        installation.exe = installation.root + r.sas_exe_name;
        r.sas.push_back(std::move(installation));
    }
    r.sasuser_value_name = "szSASUser";
    r.catalog_file_name = "\\cdisc.sas7bcat";
    for (auto& installation : r.sas) {
        installation.globals_key = installation.key + "\\Setup\\Globals";
        installation.user_dir = read(installation.globals_key, r.sasuser_value_name);
        installation.user_catalog = installation.user_dir + r.catalog_file_name;
    }
    r.product_key = product_layout.registry_key;
    r.reg_value_name = "AllUsers";
    r.all_users = read_all_users(registry, r.product_key, r.reg_value_name);
    return r;
}

std::unique_ptr<frmMain> Main(Platform& platform, SetupWindowView& view, Reporter& written,
                              std::optional<ShortcutScope> asked) {
    try {
        auto form = std::make_unique<frmMain>(
            platform, view, read_installation_record(platform.registry), written, asked);
        form->Form_Load();
        view.show();
        return form;
    } catch (const std::exception&) {
        MessageBoxReporter(platform.messages, written)
            .box(registry_error_text, "Error!", MessageIcon::critical);
        return nullptr;
    }
}

} // namespace morvane
