#pragma once

#include <chrono>
#include <string>

namespace morvane {

// The machine as a qualification report identifies it.
struct ComputerFacts {
    std::string name;            // the computer name
    std::string windows_version; // "10.0"
    std::string windows_build;   // "19045.3803": the build and, where known, its update revision
    std::string architecture;    // the machine's own: "x86", "x64", "ARM64", ...
    bool wow64 = false;          // a 32-bit process on 64-bit Windows
};

// A moment as the clock tells it: in UTC, and how far local time then stood from UTC.
struct ClockReading {
    std::chrono::sys_seconds utc;
    std::chrono::minutes utc_offset{0};
};

class Computer {
  public:
    virtual ~Computer() = default;
    virtual ComputerFacts facts() = 0;
    virtual ClockReading now() = 0;
    // The running program's file version from its version resource; empty without one.
    virtual std::string program_version() = 0;
};

} // namespace morvane
