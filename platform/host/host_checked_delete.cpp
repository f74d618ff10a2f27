#include "platform/host/host_file_system.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace morvane {
namespace fs = std::filesystem;

// The host cannot lock a file against others as Windows does; the portable tests need
// only the decision and what comes of it.
Result<bool> HostFileSystem::delete_file_if(const std::string& path, const DeleteDecision& decide) {
    std::error_code error;
    if (fs::is_symlink(host_path(path), error))
        return PlatformError{PlatformError::Kind::other, "The file is a link."};
    const auto content = read_file(path);
    if (!content.ok())
        return content.error();
    const auto verdict = decide(content.value());
    if (!verdict.ok() || !verdict.value())
        return verdict;
    if (auto failure = delete_file(path))
        return *failure;
    return true;
}

Result<bool> HostFileSystem::same_folder(const std::string& a, const std::string& b) {
    for (const auto& path : {a, b}) {
        std::error_code error;
        if (!fs::is_directory(host_path(path), error))
            return PlatformError{PlatformError::Kind::not_found, std::strerror(ENOENT)};
    }
    std::error_code error;
    const bool same = fs::equivalent(host_path(a), host_path(b), error);
    if (error)
        return PlatformError{PlatformError::Kind::other, error.message()};
    return same;
}

namespace {

bool same_name(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

// Told by the name's own entry: a link, a folder or a second name of a file is kept.
Result<bool> HostFileSystem::delete_plain_file(const std::string& path) {
    const auto file = host_path(path);
    std::error_code error;
    const auto status = fs::symlink_status(file, error);
    if (!fs::exists(status))
        return error_from(ENOENT);
    if (!fs::is_regular_file(status) || fs::hard_link_count(file, error) != 1)
        return false;
    const auto final_path = fs::canonical(file, error);
    if (error)
        return error_from(error.value());
    if (!same_name(final_path.filename().string(), file.filename().string()))
        return false;
    if (auto failure = delete_file(path))
        return *failure;
    return true;
}

} // namespace morvane
