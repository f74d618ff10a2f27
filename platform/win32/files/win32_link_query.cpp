#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Result<bool> opened_link(HANDLE opened, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return false;
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(opened, FileAttributeTagInfo, &tag, sizeof tag))
        return last_error();
    return IsReparseTagNameSurrogate(tag.ReparseTag) != 0;
}

Result<bool> Win32FileSystem::is_link(const std::string& path) {
    if (path.empty())
        return false;
    const auto wide = long_path(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
        return windows_error(error);
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return false;
    // The search record is the one place that tells the tag without opening the file.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return last_error();
    FindClose(search);
    return IsReparseTagNameSurrogate(found.dwReserved0) != 0;
}

} // namespace morvane::win32
