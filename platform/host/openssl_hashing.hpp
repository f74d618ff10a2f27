#pragma once

#include "platform/hashing.hpp"

namespace morvane {

// SHA-256 from the system's libcrypto.
class OpenSslHashing : public Hashing {
  public:
    Result<std::string> sha256_hex(std::string_view bytes) override;
};

} // namespace morvane
