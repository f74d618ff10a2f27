#include "platform/host/host_file_system.hpp"

#include <system_error>

namespace morvane {
namespace fs = std::filesystem;

Result<bool> HostFileSystem::is_link(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_symlink(host_path(path), ignored);
}

// The host has no groups worth telling apart: a folder that others may write to stands
// for one that Everyone may change. Built for Windows, the host's permissions come from the
// read-only attribute alone and tell nothing of others.
Result<std::vector<std::string>> HostFileSystem::groups_that_can_change(const std::string& folder) {
#ifdef _WIN32
    if (!folder_exists(folder))
        return PlatformError{PlatformError::Kind::not_found, "The folder does not exist."};
    return std::vector<std::string>();
#else
    std::error_code error;
    const auto status = fs::status(host_path(folder), error);
    if (error)
        return PlatformError{PlatformError::Kind::other, error.message()};
    if ((status.permissions() & fs::perms::others_write) == fs::perms::none)
        return std::vector<std::string>();
    return std::vector<std::string>{"Everyone"};
#endif
}

} // namespace morvane
