#include "platform/host/host_file_system.hpp"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace morvane {
namespace {

PlatformError folder_error(PlatformError::Kind kind, int code) {
    return {kind, std::strerror(code)};
}

PlatformError folder_error(const std::error_code& error) {
    return {PlatformError::Kind::other, error.message()};
}

} // namespace

Failure HostFileSystem::remove_empty_folder(const std::string& path) {
    const auto folder = host_path(path);
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (!std::filesystem::exists(status))
        return folder_error(PlatformError::Kind::not_found, ENOENT);
    // std::filesystem::remove would delete a file as well.
    if (!std::filesystem::is_directory(status))
        return folder_error(PlatformError::Kind::other, ENOTDIR);
    // Asked first, since the error that removal gives differs between systems.
    const bool empty = std::filesystem::is_empty(folder, error);
    if (error)
        return folder_error(error);
    if (!empty)
        return folder_error(PlatformError::Kind::not_empty, ENOTEMPTY);
    if (!std::filesystem::remove(folder, error))
        return error ? folder_error(error) : folder_error(PlatformError::Kind::not_found, ENOENT);
    return std::nullopt;
}

} // namespace morvane
