#pragma once

#include "platform/shell.hpp"

namespace morvane::win32 {

// Known folders and shortcuts through the shell's own objects.
class Win32Shell : public Shell {
  public:
    Result<std::string> special_folder(SpecialFolder folder) override;
    Result<std::string> make_special_folder(SpecialFolder folder) override;
    Failure save_shortcut(const Shortcut& shortcut) override;
    Result<Shortcut> read_shortcut(const std::string& path) override;
    Result<Shortcut> shortcut_of(const std::string& path, std::string_view bytes) override;
};

} // namespace morvane::win32
