#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// Puts macro_folder first on every "-SET SASAUTOS (...)" list of a SAS configuration
// file that does not name it yet. Gives the new content (lines ended by CR LF, one empty
// line added at the end), or nothing when no list needed the folder. Bytes are in the
// file's own code page; macro_folder must be in the same one.
std::optional<std::string> add_to_sasautos(std::string_view content, std::string_view macro_folder);

// The line that puts macro_folder on a list, without its line end.
std::string sasautos_entry(std::string_view macro_folder);

// The same update as add_to_sasautos, as the pieces of the new content in order: views
// of content, of entry (from sasautos_entry) and of constant text, so that a large file
// is not copied. Both must outlive the pieces.
std::optional<std::vector<std::string_view>> sasautos_update_pieces(std::string_view content,
                                                                    std::string_view macro_folder,
                                                                    std::string_view entry);

} // namespace morvane
