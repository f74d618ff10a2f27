#pragma once

#include <string>
#include <string_view>

namespace morvane {

// The SHA-256 digest of bytes as 64 lower-case hexadecimal digits: how the setup record
// remembers the exact content of every file it wrote.
std::string sha256_hex(std::string_view bytes);

} // namespace morvane
