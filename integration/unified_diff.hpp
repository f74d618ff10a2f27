#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The difference between two texts in the unified format: "--- " and "+++ " label lines,
// then "@@ -start,count +start,count @@" hunks with three lines of context. Lines are
// compared without their ends (CR LF, CR or LF), and every output line ends in "\n".
// Empty when the texts hold the same lines. Time grows with the size of the texts times
// the number of changed lines, so a small change to a large file stays fast.
std::string unified_diff(std::string_view old_text, std::string_view new_text,
                         std::string_view old_label, std::string_view new_label);

} // namespace morvane
