#include "app/frmMain.hpp"

#include "integration/sas_config_update.hpp"
#include "integration/tool_config.hpp"

namespace morvane {

frmMain::frmMain(Platform& platform, SetupWindowView& view, InstallationRecord record)
    : platform_(platform), view_(view), record_(std::move(record)) {}

void frmMain::Form_Load() {
    // A version counts as installed when its DefaultRoot was found; the last installed
    // one is selected, so a disabled option is never left selected.
    const std::pair<OptionButton, const std::string*> versions[] = {
        {OptionButton::optSas8, &record_.sas8_exe},
        {OptionButton::optSas9, &record_.sas91_exe},
        {OptionButton::optSas92, &record_.sas92_exe},
    };
    for (const auto& [option, exe] : versions) {
        if (*exe == missing_sas_exe)
            view_.set_enabled(option, false);
        else
            view_.select(option);
    }
    if (!view_.is_enabled(OptionButton::optSas8) && !view_.is_enabled(OptionButton::optSas9) &&
        !view_.is_enabled(OptionButton::optSas92))
        view_.set_enabled(CommandButton::cmdInstall, false);
    installing_ = false;
}

void frmMain::Form_KeyDown(int key_code, int /*shift*/) {
    if (key_code == key_escape && !installing_)
        cmdExit_Click();
    if (key_code == key_enter && !installing_ && view_.is_enabled(CommandButton::cmdInstall))
        cmdInstall_Click();
}

void frmMain::cmdExit_Click() {
    view_.unload();
}

bool frmMain::config_sas() {
    std::string config_path;
    if (view_.is_selected(OptionButton::optSas8))
        config_path = record_.sas8_root + "\\SASV8.CFG";
    if (view_.is_selected(OptionButton::optSas9))
        config_path = record_.sas91_root + "\\nls\\en\\SASV9.CFG";
    if (view_.is_selected(OptionButton::optSas92))
        config_path = record_.sas92_root + "\\nls\\en\\SASV9.CFG";
    const SasFileWriter writer(platform_.files, platform_.encoding, platform_.messages,
                               platform_.location.program_folder());
    return update_sas_config_file(platform_.files, platform_.encoding, writer, config_path);
}

bool frmMain::create_tool_config() {
    const SasFileWriter writer(platform_.files, platform_.encoding, platform_.messages,
                               platform_.location.program_folder());
    return write_tool_config(writer);
}

} // namespace morvane
