#pragma once

#include "platform/account.hpp"

namespace morvane::win32 {

class Win32Account : public Account {
  public:
    Result<ProcessAccount> current() override;
};

} // namespace morvane::win32
