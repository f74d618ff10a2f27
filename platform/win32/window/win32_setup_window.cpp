#include "platform/win32/window/win32_setup_window.hpp"

#include "platform/win32/system/wide_text.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace morvane::win32 {
namespace {

constexpr wchar_t window_class_name[] = L"MorvaneSetupWindow";
constexpr int twips_per_inch = 1440;
constexpr int client_width_twips = 5445;
constexpr int client_height_twips = 3315;
constexpr int icon_resource = 1;
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The option buttons the window was designed for, and the pitch of their rows.
constexpr int designed_options = 3;
constexpr int option_pitch_twips = 480;

enum ControlId {
    id_first_option = 101,
    id_cmd_install = 201,
    id_cmd_exit,
    id_frame = 300,
    id_label = 400,
    id_progress,
};

// Left, top, width, height in twips, relative to the window's client area.
RECT at(int left, int top, int width, int height) {
    return {left, top, width, height};
}
RECT inside(RECT frame, RECT child) {
    return {frame.left + child.left, frame.top + child.top, child.right, child.bottom};
}
RECT option_at(RECT frame, int place) {
    return inside(frame, at(120, 240 + option_pitch_twips * place, 2055, 375));
}

// Not every failure to make a window sets the last error.
PlatformError creation_error() {
    const DWORD code = GetLastError();
    if (code != ERROR_SUCCESS)
        return windows_error(code);
    return {PlatformError::Kind::other, "The setup window could not be created."};
}

} // namespace

Win32SetupWindow::Win32SetupWindow(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(icon_resource));
    window_class.hIconSm = window_class.hIcon;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = window_class_name;
    if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        creation_failure_ = creation_error();
        return;
    }

    HDC screen = GetDC(nullptr);
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    const SIZE size = outer_size(client_height_twips);
    window_ = CreateWindowExW(0, window_class_name, L"Morvane Post Installation setup",
                              window_style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr,
                              nullptr, instance, this);
    if (window_ == nullptr) {
        creation_failure_ = creation_error();
        return;
    }

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
}

Win32SetupWindow::~Win32SetupWindow() {
    if (IsWindow(window_))
        DestroyWindow(window_);
    DeleteObject(font_);
}

SIZE Win32SetupWindow::outer_size(int client_height) const {
    RECT size{0, 0, MulDiv(client_width_twips, dpi_, twips_per_inch),
              MulDiv(client_height, dpi_, twips_per_inch)};
    AdjustWindowRectEx(&size, window_style, FALSE, 0);
    return {size.right - size.left, size.bottom - size.top};
}

HWND Win32SetupWindow::add_control(const wchar_t* window_class, const wchar_t* caption, DWORD style,
                                   int id, RECT twips) {
    const auto px = [this](LONG value) { return MulDiv(value, dpi_, twips_per_inch); };
    HWND control =
        CreateWindowExW(0, window_class, caption, WS_CHILD | WS_VISIBLE | style, px(twips.left),
                        px(twips.top), px(twips.right), px(twips.bottom), window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void Win32SetupWindow::set_options(const std::vector<std::string>& captions) {
    const int count = static_cast<int>(captions.size());
    const int growth = option_pitch_twips * std::max(0, count - designed_options);
    const RECT frame1 = at(240, 240, 3375, 1695 + growth);
    const RECT frame2 = at(3720, 240, 1455, 1215);
    const RECT frame3 = at(240, 2040 + growth, 4935, 1095);
    const auto add_option = [&](int place) {
        options_.push_back(add_control(L"BUTTON", widen(captions[place]).c_str(),
                                       BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP,
                                       id_first_option + place, option_at(frame1, place)));
    };
    // Created in tab order: the first two options before the buttons, the others after
    // the status line. The options are one group whatever their place, so their checks
    // are kept by select() rather than by the auto radio style.
    add_control(L"BUTTON", L"SAS version", BS_GROUPBOX, id_frame, frame1);
    for (int place = 0; place < std::min(count, 2); ++place)
        add_option(place);
    install_ = add_control(L"BUTTON", L"Install", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                           id_cmd_install, inside(frame2, at(120, 240, 1215, 375)));
    exit_ = add_control(L"BUTTON", L"Exit", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, id_cmd_exit,
                        inside(frame2, at(120, 720, 1215, 375)));
    add_control(L"BUTTON", L"", BS_GROUPBOX, id_frame + 1, frame2);
    add_control(L"BUTTON", L"", BS_GROUPBOX, id_frame + 2, frame3);
    progress_bar_ =
        add_control(PROGRESS_CLASSW, L"", 0, id_progress, inside(frame3, at(240, 600, 4455, 255)));
    SendMessageW(progress_bar_, PBM_SETRANGE32, 0, 100);
    status_ = add_control(L"STATIC", L"Progressing", SS_LEFT, id_label,
                          inside(frame3, at(240, 240, 4455, 255)));
    for (int place = 2; place < count; ++place)
        add_option(place);
    // Group boxes drawn after the controls inside them would hide them.
    for (int frame = 0; frame < 3; ++frame)
        SetWindowPos(GetDlgItem(window_, id_frame + frame), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const SIZE size = outer_size(client_height_twips + growth);
    SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (count > 0)
        select(0);
}

HWND Win32SetupWindow::option(int place) const {
    return options_.at(static_cast<std::size_t>(place));
}

HWND Win32SetupWindow::control(CommandButton button) const {
    return button == CommandButton::cmdInstall ? install_ : exit_;
}

bool Win32SetupWindow::is_enabled(int place) {
    return IsWindowEnabled(option(place));
}

void Win32SetupWindow::set_enabled(int place, bool enabled) {
    EnableWindow(option(place), enabled);
}

bool Win32SetupWindow::is_selected(int place) {
    return SendMessageW(option(place), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32SetupWindow::select(int place) {
    for (HWND button : options_)
        SendMessageW(button, BM_SETCHECK, button == option(place) ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32SetupWindow::is_enabled(CommandButton button) {
    return IsWindowEnabled(control(button));
}

void Win32SetupWindow::set_enabled(CommandButton button, bool enabled) {
    EnableWindow(control(button), enabled);
}

void Win32SetupWindow::set_status(const std::string& text) {
    SetWindowTextW(status_, widen(text).c_str());
}

void Win32SetupWindow::set_progress(float value) {
    progress_ = value;
    SendMessageW(progress_bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(value)), 0);
}

void Win32SetupWindow::set_busy_pointer(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32SetupWindow::refresh() {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32SetupWindow::show() {
    RECT window_rect;
    GetWindowRect(window_, &window_rect);
    const int width = window_rect.right - window_rect.left;
    const int height = window_rect.bottom - window_rect.top;
    SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
    SetFocus(IsWindowEnabled(install_) ? install_ : exit_);
}

void Win32SetupWindow::unload() {
    if (IsWindow(window_))
        DestroyWindow(window_);
}

template <class Action> void Win32SetupWindow::run_blocking(Action action) {
    action();
    MSG queued;
    while (PeekMessageW(&queued, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&queued, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
        // WM_QUIT comes whatever the filter; it must still end the message loop.
        if (queued.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(queued.wParam));
            break;
        }
    }
}

void Win32SetupWindow::on_command(int id) {
    if (events_ == nullptr)
        return;
    if (id >= id_first_option && id < id_first_option + static_cast<int>(options_.size()))
        select(id - id_first_option);
    else if (id == id_cmd_install)
        run_blocking([this] { events_->cmdInstall_Click(); });
    else if (id == id_cmd_exit)
        events_->cmdExit_Click();
}

int Win32SetupWindow::run_message_loop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool ours =
            IsWindow(window_) && (message.hwnd == window_ || IsChild(window_, message.hwnd));
        // Enter and Escape reach the window's logic before any control, wherever the focus is.
        if (ours && events_ != nullptr && message.message == WM_KEYDOWN &&
            (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
            const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                              (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
            const int key = static_cast<int>(message.wParam);
            run_blocking([this, key, shift] { events_->Form_KeyDown(key, shift); });
            continue;
        }
        if (ours && IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32SetupWindow::window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<Win32SetupWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32SetupWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT Win32SetupWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED)
            on_command(LOWORD(w));
        return 0;
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        // Labels, frames and option buttons on the window's own face colour.
        SetBkMode(reinterpret_cast<HDC>(w), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_CLOSE:
        if (events_ == nullptr)
            unload();
        else
            events_->close_requested();
        return 0;
    case WM_DESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

} // namespace morvane::win32
