#pragma once

#include "app/install/install_sequence.hpp"
#include "app/reporting/message_box_reporter.hpp"
#include "app/reporting/status_line_reporter.hpp"
#include "platform/platform.hpp"
#include "platform/setup_window_events.hpp"
#include "platform/setup_window_view.hpp"
#include "sas/installation_record.hpp"

#include <optional>
#include <vector>

namespace morvane {

// The setup window's logic; the toolkit behind SetupWindowView draws it and hands the
// user's actions to it as SetupWindowEvents.
class frmMain : public SetupWindowEvents, private InstallObserver {
  public:
    // What the window shows, in its status line and its boxes, also goes to `written`.
    // asked: the scope of a switch or of the setup record a repair follows.
    frmMain(Platform& platform, SetupWindowView& view, InstallationRecord record,
            Reporter& written = nowhere(), std::optional<ShortcutScope> asked = std::nullopt);

    void Form_Load();
    void Form_KeyDown(int key_code, int shift) override;
    void cmdExit_Click() override;
    void cmdInstall_Click() override;
    void close_requested() override;
    void completed();
    // Selects release's option; false when the release is not installed.
    bool preselect(const SasRelease& release);

    bool installing() const { return installing_; }
    // How the last installation of this window ended; none before the first.
    enum class Outcome { none, completed, failed };
    Outcome last_installation() const { return last_installation_; }
    const InstallationRecord& record() const { return record_; }

  private:
    // The release of the selected option button; nothing when none is selected.
    const SasRelease* chosen_release();
    void lock();
    void before_step(const InstallStep& step) override;
    void step_failed(const InstallStep& step, const PlatformError& error) override;
    void note(const std::string& line) override;

    Platform& platform_;
    SetupWindowView& view_;
    StatusLineReporter status_line_;
    MessageBoxReporter boxes_;
    Reporters reports_;
    const InstallationRecord record_;
    const std::optional<ShortcutScope> asked_scope_;
    // The release of each option button, from the top.
    std::vector<const SasRelease*> options_;
    bool installing_ = false;
    Outcome last_installation_ = Outcome::none;
};

} // namespace morvane
