#include "platform/host/host_file_system.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace morvane {
namespace fs = std::filesystem;
PlatformError error_from(int code) {
    const auto kind = code == ENOENT                    ? PlatformError::Kind::not_found
                      : code == EACCES || code == EPERM ? PlatformError::Kind::access_denied
                                                        : PlatformError::Kind::other;
    return {kind, std::strerror(code)};
}

namespace {

PlatformError error_from(const std::error_code& code) {
    return morvane::error_from(code.value());
}

} // namespace

bool is_read_only(const fs::path& path) {
    std::error_code ignored;
    const auto status = fs::status(path, ignored);
    return fs::is_regular_file(status) &&
           (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

HostFileSystem::HostFileSystem(fs::path root) : root_(std::move(root)) {}

fs::path HostFileSystem::host_path(const std::string& windows_path) const {
    std::string relative = windows_path;
    if (relative.size() >= 2 && relative[1] == ':')
        relative.erase(1, 1);
    for (auto& c : relative)
        c = c == '\\' ? '/' : c;
    while (!relative.empty() && relative.front() == '/')
        relative.erase(0, 1);
    return root_ / fs::u8path(relative);
}

bool HostFileSystem::file_exists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_regular_file(host_path(path), ignored);
}

bool HostFileSystem::folder_exists(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_directory(host_path(path), ignored);
}

Failure HostFileSystem::delete_file(const std::string& path) {
    const auto file = host_path(path);
    if (is_read_only(file))
        return error_from(EACCES);
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return error_from(ENOENT);
    if (!fs::remove(file, error))
        return error_from(error);
    return std::nullopt;
}

Failure HostFileSystem::make_folder(const std::string& path) {
    std::error_code error;
    if (!fs::create_directory(host_path(path), error))
        return error_from(error ? error.value() : EEXIST);
    return std::nullopt;
}

Result<std::string> HostFileSystem::read_file(const std::string& path) {
    const auto file_path = host_path(path);
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(file_path, error))
        return error_from(ENOENT);
    std::ifstream file(file_path, std::ios::binary);
    if (!file)
        return error_from(errno != 0 ? errno : EIO);
    // Appended in chunks: a string made at full size would first be filled with zeros.
    std::string content;
    content.reserve(fs::file_size(file_path, error));
    char chunk[1 << 16];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        content.append(chunk, static_cast<std::size_t>(file.gcount()));
    if (file.bad())
        return error_from(EIO);
    return content;
}

Failure HostFileSystem::write_file(const std::string& path, const std::string& content) {
    return write_file_parts(path, {content});
}

Failure HostFileSystem::replace_file(const std::string& replacement, const std::string& target) {
    return replace_file(host_path(replacement), host_path(target));
}

Failure HostFileSystem::replace_file(const fs::path& replacement, const fs::path& target) {
    if (is_read_only(target))
        return error_from(EACCES);
    std::error_code error;
    fs::rename(replacement, target, error);
    if (error)
        return error_from(error);
    return std::nullopt;
}

} // namespace morvane
