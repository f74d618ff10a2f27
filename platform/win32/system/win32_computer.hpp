#pragma once

#include "platform/computer.hpp"

namespace morvane::win32 {

// The facts come from calls every Windows since 7 has, and from newer ones only where
// the system has them, looked up at run time so that the program still starts on 7.
class Win32Computer : public Computer {
  public:
    ComputerFacts facts() override;
    ClockReading now() override;
    std::string program_version() override;
};

} // namespace morvane::win32
