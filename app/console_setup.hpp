#pragma once

#include "app/install_log.hpp"
#include "platform/console.hpp"
#include "platform/message_box.hpp"
#include "platform/setup_window_view.hpp"

#include <map>
#include <string>

namespace morvane {

// The setup window and its message boxes for an unattended run: statuses go to standard
// output, failures with the platform's description to standard error, all to the log.
class ConsoleSetup : public SetupWindowView, public MessageBoxes {
  public:
    ConsoleSetup(Console& console, InstallLog& log) : console_(console), log_(log) {}

    bool unloaded() const { return unloaded_; }

    bool is_enabled(OptionButton option) override { return option_enabled_[option]; }
    void set_enabled(OptionButton option, bool on) override { option_enabled_[option] = on; }
    bool is_selected(OptionButton option) override { return selected_ == option; }
    void select(OptionButton option) override { selected_ = option; }
    bool is_enabled(CommandButton button) override { return button_enabled_[button]; }
    void set_enabled(CommandButton button, bool on) override { button_enabled_[button] = on; }
    void set_status(const std::string& text) override;
    void set_failure_status(const std::string& text) override;
    float progress() override { return progress_; }
    void set_progress(float value) override { progress_ = value; }
    void set_busy_pointer(bool) override {}
    void refresh() override {}
    void show() override {}
    void unload() override { unloaded_ = true; }

    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    // Writes an error that no failure status followed.
    void flush_errors();

  private:
    Console& console_;
    InstallLog& log_;
    std::map<OptionButton, bool> option_enabled_{{OptionButton::optSas8, true},
                                                 {OptionButton::optSas9, true},
                                                 {OptionButton::optSas92, true}};
    std::map<CommandButton, bool> button_enabled_{{CommandButton::cmdInstall, true},
                                                  {CommandButton::cmdExit, true}};
    OptionButton selected_ = OptionButton::optSas8;
    float progress_ = 0.0f;
    bool unloaded_ = false;
    std::string pending_errors_;
};

} // namespace morvane
