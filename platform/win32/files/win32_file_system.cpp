#include "platform/win32/files/win32_file_system.hpp"

#include "platform/win32/files/win32_side_files.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <algorithm>
#include <vector>

namespace morvane::win32 {
bool Win32FileSystem::file_exists(const std::string& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(long_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::folder_exists(const std::string& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(long_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Failure Win32FileSystem::delete_file(const std::string& path) {
    if (!DeleteFileW(long_path(path).c_str()))
        return last_error();
    return std::nullopt;
}

Failure Win32FileSystem::make_folder(const std::string& path) {
    if (!CreateDirectoryW(long_path(path).c_str(), nullptr))
        return last_error();
    return std::nullopt;
}

Result<std::string> Win32FileSystem::read_file(const std::string& path) {
    if (path.empty())
        return windows_error(ERROR_PATH_NOT_FOUND);
    FileHandle file(CreateFileW(long_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return last_error();
    return read_all(file.get());
}

Result<std::string> read_all(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return last_error();
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 24));
        if (!ReadFile(file, content.data() + done, chunk, &read, nullptr))
            return last_error();
        if (read == 0)
            break;
        done += read;
    }
    content.resize(done);
    return content;
}

Failure write_bytes(HANDLE file, const char* data, std::size_t size, WriteCall write) {
    std::size_t done = 0;
    while (done < size) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1 << 24));
        if (!write(file, data + done, chunk, &written, nullptr))
            return last_error();
        // A device that takes nothing would take nothing again.
        if (written == 0)
            return windows_error(ERROR_WRITE_FAULT);
        done += written;
    }
    return std::nullopt;
}

namespace {

// Attributes that a replaced file hands on to its replacement: the system's replace
// keeps them on Windows but not everywhere, so they are set beforehand. Read-only is
// not among them, since a read-only file is never replaced.
constexpr DWORD handed_on_attributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The system's replace cannot work on every file system (some network shares refuse it).
bool replace_unsupported(DWORD error) {
    return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED;
}

// Only where there is no target yet, unless the system's replace cannot work there.
Failure move_into_place(const std::wstring& replacement, const std::wstring& target,
                        DWORD flags = 0) {
    if (!MoveFileExW(replacement.c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH))
        return last_error();
    return std::nullopt;
}

std::wstring shown_path(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0 ? path.substr(4) : path;
}

// Whether the name still leads to the file that was opened as `expected`, with no second
// name and no reparse point: the last look before the name is handed to the system.
Failure still_the_file(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& expected) {
    FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION found{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &found))
        return last_error();
    if (!same_file(found, expected) || found.nNumberOfLinks != 1 ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return PlatformError{PlatformError::Kind::other,
                             "The new file " + narrow(shown_path(path)) +
                                 " was exchanged for another before it took its place."};
    return std::nullopt;
}

// Renamed through the opening that wrote it, so nothing can take its place on the way;
// an existing target is not replaced.
bool renamed_through(HANDLE file, const std::wstring& target) {
    const auto name_bytes = target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name_bytes);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = FALSE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name_bytes);
    std::copy(target.begin(), target.end(), rename->FileName);
    return SetFileInformationByHandle(file, FileRenameInfo, rename,
                                      static_cast<DWORD>(buffer.size())) != 0;
}

// A side file left under its name by a failed replace goes, but only while the name
// still leads to it: whatever someone put there instead is theirs.
void delete_if_still(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& made) {
    FileHandle file(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION found{};
    if (file.valid() && GetFileInformationByHandle(file.get(), &found) && same_file(found, made))
        delete_through(file);
}

} // namespace

bool same_file(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

Failure put_in_place(SideFile& made, const std::wstring& target) {
    // Where that rename fails (a target made meanwhile, a system or share that cannot
    // rename through an opening), the new file goes by its name after one more look.
    if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        renamed_through(made.handle.get(), target)) {
        made.handle.close();
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION identity{};
    if (!GetFileInformationByHandle(made.handle.get(), &identity))
        return last_error();
    // The system's replace opens the new file by its name, which it cannot while this
    // opening shares nothing.
    made.handle.close();
    auto failure = replace_whole_file(made.path, target, &identity);
    if (failure)
        delete_if_still(made.path, identity);
    return failure;
}

Failure replace_whole_file(const std::wstring& replacement, const std::wstring& target,
                           const BY_HANDLE_FILE_INFORMATION* expected) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (expected) {
            if (auto failure = still_the_file(replacement, *expected))
                return failure;
        }
        return move_into_place(replacement, target);
    }
    // A read-only file must stay as it is, whatever the file system allows.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return windows_error(ERROR_ACCESS_DENIED);
    if ((attributes & handed_on_attributes) != 0)
        SetFileAttributesW(replacement.c_str(),
                           (attributes & handed_on_attributes) | FILE_ATTRIBUTE_ARCHIVE);
    // With a backup name every failure leaves the original reachable: in its place, or
    // under the backup name when the system had moved it aside already. The name is
    // reserved by making it, so that the system's replace takes over a file of this run.
    SideFile backup;
    if (auto failure = create_side_file(target, L".morvane-old", GENERIC_WRITE, backup))
        return failure;
    backup.handle.close();
    if (expected) {
        if (auto failure = still_the_file(replacement, *expected)) {
            DeleteFileW(backup.path.c_str());
            return failure;
        }
    }
    if (ReplaceFileW(target.c_str(), replacement.c_str(), backup.path.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        DeleteFileW(backup.path.c_str());
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        DeleteFileW(backup.path.c_str());
        if (replace_unsupported(error))
            return move_into_place(replacement, target, MOVEFILE_REPLACE_EXISTING);
        return windows_error(error);
    }
    // The original was moved aside already; if it cannot come back, the user must know
    // where it is.
    auto failure = windows_error(error);
    if (!MoveFileExW(backup.path.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
        failure.description +=
            " The original file is kept as " + narrow(shown_path(backup.path)) + ".";
    return failure;
}

Failure Win32FileSystem::write_file(const std::string& path, const std::string& content) {
    return write_file_parts(path, {content});
}

Failure Win32FileSystem::write_file_parts(const std::string& path,
                                          const std::vector<std::string_view>& parts) {
    return write_whole_file(long_path(path), parts);
}

Failure Win32FileSystem::replace_file(const std::string& replacement, const std::string& target) {
    return replace_whole_file(long_path(replacement), long_path(target));
}

} // namespace morvane::win32
