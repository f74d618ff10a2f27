#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// Puts macro_folder first on every "-SET SASAUTOS (...)" list of a SAS configuration
// file that does not name it yet. Gives the new content (lines ended by CR LF, one empty
// line added at the end), or nothing when no list needed the folder. Bytes are in the
// file's own code page; macro_folder must be in the same one.
std::optional<std::string> add_to_sasautos(std::string_view content, std::string_view macro_folder);

} // namespace morvane
