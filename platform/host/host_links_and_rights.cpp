#include "platform/host/host_file_system.hpp"

#include <system_error>

namespace morvane {
namespace fs = std::filesystem;

Result<bool> HostFileSystem::is_link(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && fs::is_symlink(host_path(path), ignored);
}

// The host has no groups worth telling apart: a folder that others may write to stands
// for one that Everyone may change.
Result<std::vector<std::string>> HostFileSystem::groups_that_can_change(const std::string& folder) {
    std::error_code error;
    const auto status = fs::status(host_path(folder), error);
    if (error)
        return PlatformError{PlatformError::Kind::other, error.message()};
    if ((status.permissions() & fs::perms::others_write) == fs::perms::none)
        return std::vector<std::string>();
    return std::vector<std::string>{"Everyone"};
}

} // namespace morvane
