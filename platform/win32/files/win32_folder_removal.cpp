#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Failure Win32FileSystem::remove_empty_folder(const std::string& path) {
    if (RemoveDirectoryW(long_path(path).c_str()))
        return std::nullopt;
    const DWORD code = GetLastError();
    auto error = windows_error(code);
    if (code == ERROR_DIR_NOT_EMPTY)
        error.kind = PlatformError::Kind::not_empty;
    return error;
}

} // namespace morvane::win32
