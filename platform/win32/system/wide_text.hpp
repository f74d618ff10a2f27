#pragma once

#include "platform/platform_error.hpp"

#include <windows.h>

#include <string>

namespace morvane::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);

// A path cleaned as Windows cleans the path of an ordinary file call: made absolute
// against the current folder, "/" read as "\", doubled separators, "." and ".." and
// trailing separators removed. A path that already has the long-path prefix is kept.
std::wstring full_path(const std::string& utf8_path);

// The cleaned path as the file APIs take it: with the long-path prefix ("\\?\" or
// "\\?\UNC\"), so that program folders deeper than MAX_PATH work. The prefix turns
// off the system's own cleaning, which is why the path is cleaned first.
std::wstring long_path(const std::string& utf8_path);
// The same for a path that full_path has cleaned already.
std::wstring with_long_path_prefix(const std::wstring& path);

// The system's own wording of an error code.
PlatformError windows_error(DWORD code);
PlatformError last_error();
PlatformError com_error(HRESULT result);

} // namespace morvane::win32
