#pragma once

#include "platform/console.hpp"

namespace morvane::win32 {

// The console of the parent process, which a window program has to attach to itself;
// redirected handles are written as UTF-8.
class Win32Console : public Console {
  public:
    Win32Console();
    void out(const std::string& line) override;
    void err(const std::string& line) override;
};

} // namespace morvane::win32
