#pragma once

#include "platform/platform_error.hpp"
#include "platform/setup_window_events.hpp"
#include "platform/setup_window_view.hpp"

#include <windows.h>

#include <vector>

namespace morvane::win32 {

// The setup window, laid out in twips as designed and scaled to the screen's DPI.
class Win32SetupWindow : public SetupWindowView {
  public:
    explicit Win32SetupWindow(HINSTANCE instance);
    ~Win32SetupWindow() override;
    Win32SetupWindow(const Win32SetupWindow&) = delete;
    Win32SetupWindow& operator=(const Win32SetupWindow&) = delete;

    HWND handle() const { return window_; }
    // Why the window could not be made; nothing when it was.
    const Failure& creation_failure() const { return creation_failure_; }
    // The user's actions go to events from now on.
    void attach(SetupWindowEvents* events) { events_ = events; }
    // Runs the message loop until the window is gone; gives the exit code.
    int run_message_loop();

    void set_options(const std::vector<std::string>& captions) override;
    bool is_enabled(int option) override;
    void set_enabled(int option, bool enabled) override;
    bool is_selected(int option) override;
    void select(int option) override;
    bool is_enabled(CommandButton button) override;
    void set_enabled(CommandButton button, bool enabled) override;
    void set_status(const std::string& text) override;
    float progress() override { return progress_; }
    void set_progress(float value) override;
    void set_busy_pointer(bool busy) override;
    void refresh() override;
    void show() override;
    void unload() override;

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    // The window's outer size for a client area of the designed width and this height.
    SIZE outer_size(int client_height_twips) const;
    HWND add_control(const wchar_t* window_class, const wchar_t* caption, DWORD style, int id,
                     RECT twips);
    HWND option(int place) const;
    HWND control(CommandButton button) const;
    // Runs an action that may block, then drops the input queued meanwhile, so that
    // keys pressed during an installation do not start another one.
    template <class Action> void run_blocking(Action action);
    void on_command(int id);

    HINSTANCE instance_;
    Failure creation_failure_;
    HWND window_ = nullptr;
    std::vector<HWND> options_;
    HWND install_ = nullptr;
    HWND exit_ = nullptr;
    HWND status_ = nullptr;
    HWND progress_bar_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    float progress_ = 0.0f;
    bool busy_ = false;
    SetupWindowEvents* events_ = nullptr;
};

} // namespace morvane::win32
