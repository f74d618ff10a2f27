#include "platform/win32/window/message_boxes.hpp"

#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

void Win32MessageBoxes::show(const std::string& text, const std::string& title, MessageIcon icon) {
    MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(),
                MB_OK | (icon == MessageIcon::critical ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool Win32MessageBoxes::ask(const std::string& text, const std::string& title) {
    return MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace morvane::win32
