#pragma once

#include "app/installation_record.hpp"
#include "platform/platform.hpp"
#include "platform/setup_window_view.hpp"

#include <string>

namespace morvane {

inline constexpr int key_enter = 13;
inline constexpr int key_escape = 27;

// The setup window's logic; the toolkit behind SetupWindowView draws it.
class frmMain {
  public:
    frmMain(Platform& platform, SetupWindowView& view, InstallationRecord record);

    void Form_Load();
    void Form_KeyDown(int key_code, int shift);
    void cmdExit_Click();
    void cmdInstall_Click();
    void completed();
    bool config_sas();
    bool create_tool_config();

    bool installing() const { return installing_; }
    const InstallationRecord& record() const { return record_; }

  private:
    std::string chosen_version();
    bool remove_stale_catalog(const std::string& sas_version);
    void lock();

    Platform& platform_;
    SetupWindowView& view_;
    const InstallationRecord record_;
    bool installing_ = false;
};

} // namespace morvane
