#pragma once

#include "platform/message_box.hpp"

#include <windows.h>

namespace morvane::win32 {

class Win32MessageBoxes : public MessageBoxes {
  public:
    // Boxes are modal to this window once it exists.
    void set_owner(HWND owner) { owner_ = owner; }
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool ask(const std::string& text, const std::string& title) override;

  private:
    HWND owner_ = nullptr;
};

} // namespace morvane::win32
