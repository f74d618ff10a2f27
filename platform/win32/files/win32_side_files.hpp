#pragma once

#include "platform/platform_error.hpp"
#include "platform/win32/scoped_handles.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace morvane::win32 {

// A file this run made beside a target, under a name nobody can predict.
struct SideFile {
    std::wstring path;
    FileHandle handle;
};

// Makes a new file beside target (a long path), named after it with a GUID and suffix.
// It is created, never opened: it cannot be an existing file, a hard link or a link.
Failure create_side_file(const std::wstring& target, const wchar_t* suffix, DWORD access,
                         SideFile& made);

// Writes parts to a new side file, puts it on the disk and then moves it over target
// (a long path) whole; on failure the side file is gone and target is as it was.
Failure write_whole_file(const std::wstring& target, const std::vector<std::string_view>& parts);

} // namespace morvane::win32
