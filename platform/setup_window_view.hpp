#pragma once

#include <string>
#include <vector>

namespace morvane {

enum class CommandButton { cmdInstall, cmdExit };

// The controls of the setup window as the window logic sees them. The option buttons of
// the "SAS version" group are numbered by their place in it, from 0 at the top.
class SetupWindowView {
  public:
    virtual ~SetupWindowView() = default;
    // Gives the group one option button per caption, in order, the first one selected;
    // called once, before the window is shown. The window was designed for three: each
    // one more makes the group and the window one row taller.
    virtual void set_options(const std::vector<std::string>& captions) = 0;
    virtual bool is_enabled(int option) = 0;
    virtual void set_enabled(int option, bool enabled) = 0;
    virtual bool is_selected(int option) = 0;
    // Selecting one option button clears the others of the group.
    virtual void select(int option) = 0;
    virtual bool is_enabled(CommandButton button) = 0;
    virtual void set_enabled(CommandButton button, bool enabled) = 0;
    virtual void set_status(const std::string& text) = 0;
    virtual float progress() = 0;
    virtual void set_progress(float value) = 0;
    virtual void set_busy_pointer(bool busy) = 0;
    // Repaints now, so changes show while the install blocks the thread.
    virtual void refresh() = 0;
    virtual void show() = 0;
    virtual void unload() = 0;
};

} // namespace morvane
