#pragma once

#include "platform/single_instance.hpp"

#include <windows.h>

namespace morvane::win32 {

// A named mutex held for the life of the program, seen from every session of the machine.
class Win32SingleInstance : public SingleInstance {
  public:
    Win32SingleInstance() = default;
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool claim() override;

  private:
    HANDLE mutex_ = nullptr;
};

} // namespace morvane::win32
