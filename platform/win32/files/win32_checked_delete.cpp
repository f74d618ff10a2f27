#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {
namespace {

Failure delete_through(FileHandle& file) {
    if (auto failure = delete_through(file))
        return *failure;
    return true;
}

// Checked and deleted through one opening of the name itself, never of what a link names.
Result<bool> Win32FileSystem::delete_plain_file(const std::string& path) {
    const auto name = long_path(path);
    FileHandle file(CreateFileW(
        name.c_str(), DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return last_error();
    const auto plain = is_plain_file(file.get(), last_name(name));
    if (!plain.ok() || !plain.value())
        return plain;
    if (auto failure = delete_through(file))
        return *failure;
    return true;
}

} // namespace morvane::win32
