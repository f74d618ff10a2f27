#pragma once

#include <string>

namespace morvane {

enum class OptionButton { optSas8, optSas9, optSas92 };
enum class CommandButton { cmdInstall, cmdExit };

// The controls of the setup window as the window logic sees them.
class SetupWindowView {
  public:
    virtual ~SetupWindowView() = default;
    virtual bool is_enabled(OptionButton option) = 0;
    virtual void set_enabled(OptionButton option, bool enabled) = 0;
    virtual bool is_selected(OptionButton option) = 0;
    // Selecting one option button clears the others of the group.
    virtual void select(OptionButton option) = 0;
    virtual bool is_enabled(CommandButton button) = 0;
    virtual void set_enabled(CommandButton button, bool enabled) = 0;
    virtual void set_status(const std::string& text) = 0;
    // A status that says why the installation stopped.
    virtual void set_failure_status(const std::string& text) = 0;
    virtual float progress() = 0;
    virtual void set_progress(float value) = 0;
    virtual void set_busy_pointer(bool busy) = 0;
    // Repaints now, so changes show while the install blocks the thread.
    virtual void refresh() = 0;
    virtual void show() = 0;
    virtual void unload() = 0;
};

} // namespace morvane
