#pragma once

#include "platform/platform_error.hpp"

#include <string>
#include <string_view>

namespace morvane {

// The system's digests: how the setup record remembers the exact bytes of what it wrote.
class Hashing {
  public:
    virtual ~Hashing() = default;
    // The SHA-256 digest of bytes as 64 lower-case hexadecimal digits.
    virtual Result<std::string> sha256_hex(std::string_view bytes) = 0;
};

} // namespace morvane
