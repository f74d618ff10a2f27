#pragma once

#include "platform/pause.hpp"
#include "platform/program_location.hpp"

#include <windows.h>

namespace morvane::win32 {

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

} // namespace morvane::win32
