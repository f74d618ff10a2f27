#pragma once

#include "platform/platform_error.hpp"

#include <windows.h>

#include <string>

namespace morvane::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// A Windows path as the file APIs take it: with the long-path prefix when absolute, so
// that program folders deeper than MAX_PATH work.
std::wstring long_path(const std::string& utf8_path);

// The system's own wording of an error code.
PlatformError windows_error(DWORD code);
PlatformError last_error();

} // namespace morvane::win32
