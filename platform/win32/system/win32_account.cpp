#include "platform/win32/system/win32_account.hpp"

#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/sid_names.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <sddl.h>

#include <vector>

namespace morvane::win32 {
namespace {

// A token information class read whole, however large the system says it is.
Result<std::vector<BYTE>> token_information(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<BYTE> data(size == 0 ? 1 : size);
    if (!GetTokenInformation(token, kind, data.data(), static_cast<DWORD>(data.size()), &size))
        return last_error();
    return data;
}

} // namespace

Result<ProcessAccount> Win32Account::current() {
    HandleOwner token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()))
        return last_error();
    const auto user = token_information(token.get(), TokenUser);
    if (!user.ok())
        return user.error();
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(user.value().data())->User.Sid;
    ProcessAccount account;
    account.sid = sid_text(sid);
    account.name = account_name(sid);
    account.service = IsWellKnownSid(sid, WinLocalSystemSid) ||
                      IsWellKnownSid(sid, WinLocalServiceSid) ||
                      IsWellKnownSid(sid, WinNetworkServiceSid);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    account.elevated =
        GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated != 0;
    return account;
}

} // namespace morvane::win32
