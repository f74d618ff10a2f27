#include "app/reporting/link_refusal.hpp"

namespace morvane {

PlatformError link_refused(const std::string& path) {
    return {PlatformError::Kind::other,
            path + " is a link (a junction, symbolic link or mount point); it is not followed."};
}

Failure refuse_links(FileSystem& files, const std::vector<std::string>& paths) {
    for (const auto& path : paths) {
        const auto link = files.is_link(path);
        if (!link.ok())
            return link.error();
        if (link.value())
            return link_refused(path);
    }
    return std::nullopt;
}

} // namespace morvane
