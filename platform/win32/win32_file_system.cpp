#include "platform/win32/win32_file_system.hpp"

#include "platform/win32/wide_text.hpp"

namespace morvane::win32 {
namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now, so that a failing close is seen.
    bool close() {
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

} // namespace

bool Win32FileSystem::file_exists(const std::string& path) {
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(long_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
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
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return last_error();
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD read = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 24));
        if (!ReadFile(file.get(), content.data() + done, chunk, &read, nullptr))
            return last_error();
        if (read == 0)
            break;
        done += read;
    }
    content.resize(done);
    return content;
}

namespace {

Failure write_bytes(HANDLE file, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1 << 24));
        if (!WriteFile(file, data + done, chunk, &written, nullptr))
            return last_error();
        done += written;
    }
    return std::nullopt;
}

// Small parts are gathered into one buffer, so a file of many short lines is written in
// a few large writes rather than one call a part.
Failure write_all(FileHandle& file, const std::vector<std::string_view>& parts) {
    if (!file.valid())
        return last_error();
    constexpr std::size_t buffer_size = 1 << 20;
    std::string buffer;
    buffer.reserve(buffer_size);
    for (const auto part : parts) {
        if (buffer.size() + part.size() > buffer_size) {
            if (auto failure = write_bytes(file.get(), buffer.data(), buffer.size()))
                return failure;
            buffer.clear();
        }
        if (part.size() > buffer_size) {
            if (auto failure = write_bytes(file.get(), part.data(), part.size()))
                return failure;
        } else {
            buffer.append(part);
        }
    }
    if (auto failure = write_bytes(file.get(), buffer.data(), buffer.size()))
        return failure;
    if (!file.close())
        return last_error();
    return std::nullopt;
}

} // namespace

Failure Win32FileSystem::write_file(const std::string& path, const std::string& content) {
    return write_file_parts(path, {content});
}

Failure Win32FileSystem::write_file_parts(const std::string& path,
                                          const std::vector<std::string_view>& parts) {
    FileHandle file(CreateFileW(long_path(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return write_all(file, parts);
}

Failure Win32FileSystem::append_file(const std::string& path, const std::string& content) {
    FileHandle file(CreateFileW(long_path(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return write_all(file, {content});
}

Failure Win32FileSystem::replace_file(const std::string& replacement, const std::string& target) {
    const auto target_path = long_path(target);
    // A read-only file must stay as it is, whatever the file system allows.
    const DWORD attributes = GetFileAttributesW(target_path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return windows_error(ERROR_ACCESS_DENIED);
    if (!MoveFileExW(long_path(replacement).c_str(), target_path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return last_error();
    return std::nullopt;
}

} // namespace morvane::win32
