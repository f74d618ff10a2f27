#pragma once

#include "platform/platform_error.hpp"

#include <string>

namespace morvane {

// The account this process runs as, told by its token.
struct ProcessAccount {
    std::string sid;      // "S-1-5-21-...", "S-1-5-18" for LocalSystem
    std::string name;     // "DOMAIN\user"; the SID where it has no name
    bool service = false; // LocalSystem, LocalService or NetworkService: no person's desktop
    bool elevated = false;
};

class Account {
  public:
    virtual ~Account() = default;
    virtual Result<ProcessAccount> current() = 0;
};

} // namespace morvane
