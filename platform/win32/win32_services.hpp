#pragma once

#include "platform/message_box.hpp"
#include "platform/pause.hpp"
#include "platform/program_location.hpp"
#include "platform/shell.hpp"
#include "platform/text_encoding.hpp"

#include <windows.h>

namespace morvane::win32 {

class AnsiCodePage : public TextEncoding {
  public:
    Result<std::string> to_ansi(const std::string& utf8) override;
};

class Win32Shell : public Shell {
  public:
    Result<std::string> special_folder(SpecialFolder folder) override;
    Failure save_shortcut(const Shortcut& shortcut) override;
    Result<Shortcut> read_shortcut(const std::string& path) override;
};

class Win32ProgramLocation : public ProgramLocation {
  public:
    Win32ProgramLocation();
    std::string program_folder() override { return folder_; }
    std::string program_stem() override { return stem_; }

  private:
    std::string folder_;
    std::string stem_;
};

class SleepPause : public Pause {
  public:
    void milliseconds(int count) override { Sleep(static_cast<DWORD>(count)); }
};

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
