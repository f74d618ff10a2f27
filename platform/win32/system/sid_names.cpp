#include "platform/win32/system/sid_names.hpp"

#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <sddl.h>

namespace morvane::win32 {

std::string sid_text(PSID sid) {
    LocalBuffer<wchar_t*> text;
    if (!ConvertSidToStringSidW(sid, text.put()))
        return "";
    return narrow(text.get());
}

std::string account_name(PSID sid) {
    wchar_t name[256], domain[256];
    DWORD name_size = 256, domain_size = 256;
    SID_NAME_USE use;
    if (!LookupAccountSidW(nullptr, sid, name, &name_size, domain, &domain_size, &use))
        return sid_text(sid);
    return domain_size == 0 ? narrow(name) : narrow(domain) + "\\" + narrow(name);
}

} // namespace morvane::win32
