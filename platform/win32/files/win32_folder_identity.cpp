#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {

Result<BY_HANDLE_FILE_INFORMATION> opened_folder_information(HANDLE opened) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(opened, &information))
        return last_error();
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return windows_error(ERROR_DIRECTORY);
    return information;
}

namespace {

Result<BY_HANDLE_FILE_INFORMATION> folder_information(const std::string& path) {
    // Backup semantics open a folder; no access right is needed to read its identity.
    FileHandle folder(CreateFileW(long_path(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.valid())
        return last_error();
    return opened_folder_information(folder.get());
}

} // namespace

Result<bool> Win32FileSystem::same_folder(const std::string& a, const std::string& b) {
    const auto first = folder_information(a);
    if (!first.ok())
        return first.error();
    const auto second = folder_information(b);
    if (!second.ok())
        return second.error();
    return same_file(first.value(), second.value());
}

} // namespace morvane::win32
