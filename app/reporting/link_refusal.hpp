#pragma once

#include "platform/file_system.hpp"

#include <string>
#include <vector>

namespace morvane {

// A link planted where this program, perhaps elevated, writes or deletes would steer it to
// a file of someone else's choosing: such a place is refused, never followed.
PlatformError link_refused(const std::string& path);

// The refusal of the first path that is a link, or why it cannot be told whether one is.
Failure refuse_links(FileSystem& files, const std::vector<std::string>& paths);

} // namespace morvane
