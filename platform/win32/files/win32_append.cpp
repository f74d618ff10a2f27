#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

namespace morvane::win32 {
namespace {

// A file named by a user could be a link or another name of a file the user may not
// change; what the elevated run appends would land there.
Failure refuse_other_files(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information))
        return last_error();
    const auto link = opened_link(file, information.dwFileAttributes);
    if (!link.ok())
        return link.error();
    if (link.value())
        return PlatformError{PlatformError::Kind::other, "The file is a link; it is not followed."};
    if (information.nNumberOfLinks > 1)
        return PlatformError{PlatformError::Kind::other,
                             "The file has more than one name (a hard link); it is not written."};
    return std::nullopt;
}

} // namespace

// The link itself is opened, never what it points to.
Failure Win32FileSystem::append_file(const std::string& path, const std::string& content) {
    FileHandle file(CreateFileW(long_path(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.valid())
        return last_error();
    if (auto failure = refuse_other_files(file.get()))
        return failure;
    if (auto failure = write_bytes(file.get(), content.data(), content.size()))
        return failure;
    if (!file.close())
        return last_error();
    return std::nullopt;
}

} // namespace morvane::win32
