#pragma once

#include "platform/console.hpp"

namespace morvane::win32 {

// The console of the parent process, which a window program has to attach to itself;
// redirected handles are written as UTF-8. It is attached only once a line is written:
// a program attached to a console ends with it, and a windowed installation must not
// end half way because the console that started it is closed or gets Ctrl+C.
class Win32Console : public Console {
  public:
    void out(const std::string& line) override;
    void err(const std::string& line) override;

  private:
    void attach();
    bool attached_ = false;
};

} // namespace morvane::win32
