#pragma once

namespace morvane {

inline constexpr int key_enter = 13;
inline constexpr int key_escape = 27;

// What the user does in the setup window, as the toolkit hands it to the window's logic.
// Each call may block the window's thread until the action it starts is over.
class SetupWindowEvents {
  public:
    virtual ~SetupWindowEvents() = default;
    // A key goes down anywhere in the window; shift holds the Shift, Ctrl and Alt states.
    virtual void Form_KeyDown(int key_code, int shift) = 0;
    virtual void cmdInstall_Click() = 0;
    virtual void cmdExit_Click() = 0;
    // The window's close box.
    virtual void close_requested() = 0;
};

} // namespace morvane
