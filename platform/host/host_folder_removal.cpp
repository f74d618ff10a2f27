#include "platform/host/host_file_system.hpp"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace morvane {
namespace {

PlatformError folder_error(int code) {
    // rmdir may say EEXIST for a folder that holds something.
    const auto kind = code == ENOENT                        ? PlatformError::Kind::not_found
                      : code == ENOTEMPTY || code == EEXIST ? PlatformError::Kind::not_empty
                                                            : PlatformError::Kind::other;
    return {kind, std::strerror(code)};
}

} // namespace

Failure HostFileSystem::remove_empty_folder(const std::string& path) {
    const auto folder = host_path(path);
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (!std::filesystem::exists(status))
        return folder_error(ENOENT);
    // std::filesystem::remove would delete a file as well.
    if (!std::filesystem::is_directory(status))
        return folder_error(ENOTDIR);
    if (!std::filesystem::remove(folder, error))
        return folder_error(error.value());
    return std::nullopt;
}

} // namespace morvane
