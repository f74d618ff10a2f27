#pragma once

#include <windows.h>

#include <string>

namespace morvane::win32 {

// The SID as text ("S-1-5-18"), empty when it cannot be converted.
std::string sid_text(PSID sid);
// "DOMAIN\name" of the account, or its SID as text where no name can be looked up.
std::string account_name(PSID sid);

} // namespace morvane::win32
