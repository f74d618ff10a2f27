#pragma once

#include <string>
#include <string_view>

namespace morvane {

// Text from the machine (a path, a name, a registry value) as HTML that shows it as it
// is and never as markup. Control characters, which HTML cannot hold, show as U+FFFD.
std::string html_text(std::string_view text);

// The same for a path, which may also wrap after any backslash.
std::string html_path(std::string_view path);

} // namespace morvane
