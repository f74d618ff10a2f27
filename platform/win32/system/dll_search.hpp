#pragma once

#include <windows.h>

namespace morvane::win32 {

// Takes the program's own folder, the current folder and PATH out of the search for every
// DLL loaded from here on, so that a DLL planted beside the program in a folder users can
// write to never runs elevated: only System32 is searched. Called first thing.
void restrict_dll_search_to_system32();

// The common controls (the progress bar's class), loaded at run time rather than imported:
// a static import loads comctl32 and the DLLs it needs before the search is restricted.
class CommonControls {
  public:
    CommonControls();
    ~CommonControls();
    CommonControls(const CommonControls&) = delete;
    CommonControls& operator=(const CommonControls&) = delete;

  private:
    HMODULE module_;
};

} // namespace morvane::win32
