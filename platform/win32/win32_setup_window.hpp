#pragma once

#include "platform/setup_window_view.hpp"

#include <windows.h>

namespace morvane {
class frmMain;
}

namespace morvane::win32 {

// The setup window, laid out in twips as designed and scaled to the screen's DPI.
class Win32SetupWindow : public SetupWindowView {
  public:
    explicit Win32SetupWindow(HINSTANCE instance);
    ~Win32SetupWindow() override;
    Win32SetupWindow(const Win32SetupWindow&) = delete;
    Win32SetupWindow& operator=(const Win32SetupWindow&) = delete;

    HWND handle() const { return window_; }
    // Events go to the form from now on.
    void attach(frmMain* form) { form_ = form; }
    // Runs the message loop until the window is gone; gives the exit code.
    int run_message_loop();

    bool is_enabled(OptionButton option) override;
    void set_enabled(OptionButton option, bool enabled) override;
    bool is_selected(OptionButton option) override;
    void select(OptionButton option) override;
    bool is_enabled(CommandButton button) override;
    void set_enabled(CommandButton button, bool enabled) override;
    void set_status(const std::string& text) override;
    void set_failure_status(const std::string& text) override { set_status(text); }
    float progress() override { return progress_; }
    void set_progress(float value) override;
    void set_busy_pointer(bool busy) override;
    void refresh() override;
    void show() override;
    void unload() override;

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void create_controls(HINSTANCE instance);
    HWND add_control(HINSTANCE instance, const wchar_t* window_class, const wchar_t* caption,
                     DWORD style, int id, RECT twips);
    HWND control(OptionButton option) const;
    HWND control(CommandButton button) const;
    // Runs a form action that may block, then drops the input queued meanwhile, so that
    // keys pressed during an installation do not start another one.
    template <class Action> void run_blocking(Action action);
    void on_command(int id);

    HWND window_ = nullptr;
    HWND options_[3] = {};
    HWND install_ = nullptr;
    HWND exit_ = nullptr;
    HWND status_ = nullptr;
    HWND progress_bar_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    float progress_ = 0.0f;
    bool busy_ = false;
    frmMain* form_ = nullptr;
};

} // namespace morvane::win32
