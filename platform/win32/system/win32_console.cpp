#include "platform/win32/system/win32_console.hpp"

#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {
namespace {

void write_line(DWORD which, const std::string& line) {
    HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const auto wide = widen(line + "\r\n");
        WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        const auto text = line + "\r\n";
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

} // namespace

void Win32Console::attach() {
    if (!attached_)
        AttachConsole(ATTACH_PARENT_PROCESS);
    attached_ = true;
}

void Win32Console::out(const std::string& line) {
    attach();
    write_line(STD_OUTPUT_HANDLE, line);
}

void Win32Console::err(const std::string& line) {
    attach();
    write_line(STD_ERROR_HANDLE, line);
}

} // namespace morvane::win32
