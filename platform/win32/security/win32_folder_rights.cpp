#include "platform/win32/security/folder_rights.hpp"

#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/scoped_handles.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <aclapi.h>

namespace morvane::win32 {
namespace {

struct Group {
    WELL_KNOWN_SID_TYPE sid;
    const char* name;
};

// The groups that any standard user belongs to.
constexpr Group everyday_groups[] = {
    {WinBuiltinUsersSid, "Users"},
    {WinAuthenticatedUserSid, "Authenticated Users"},
    {WinWorldSid, "Everyone"},
    {WinInteractiveSid, "INTERACTIVE"},
};

// Any of these lets its holder put a file of its own in the folder, or take the folder over.
constexpr ACCESS_MASK changing_rights = FILE_ADD_FILE | FILE_WRITE_DATA | FILE_APPEND_DATA |
                                        FILE_ADD_SUBDIRECTORY | WRITE_DAC | WRITE_OWNER | DELETE |
                                        GENERIC_WRITE | GENERIC_ALL;

bool is_group(PSID sid, WELL_KNOWN_SID_TYPE type) {
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(sid, buffer);
}

} // namespace

std::vector<std::string> groups_granted_change(const ACL* dacl) {
    if (dacl == nullptr)
        return {"Everyone"};
    std::vector<std::string> groups;
    for (const auto& group : everyday_groups)
        for (DWORD index = 0; index < dacl->AceCount; ++index) {
            void* ace = nullptr;
            if (!GetAce(const_cast<ACL*>(dacl), index, &ace))
                break;
            const auto* header = static_cast<const ACE_HEADER*>(ace);
            // An entry only for what is made inside still counts when files inherit it: the
            // macro files the setup writes there would be theirs to change.
            const bool only_inherited = (header->AceFlags & INHERIT_ONLY_ACE) != 0 &&
                                        (header->AceFlags & OBJECT_INHERIT_ACE) == 0;
            if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || only_inherited)
                continue;
            auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            if ((allowed->Mask & changing_rights) != 0 &&
                is_group(reinterpret_cast<PSID>(&allowed->SidStart), group.sid)) {
                groups.emplace_back(group.name);
                break;
            }
        }
    return groups;
}

Result<std::vector<std::string>>
Win32FileSystem::groups_that_can_change(const std::string& folder) {
    PACL dacl = nullptr;
    LocalBuffer<PSECURITY_DESCRIPTOR> descriptor;
    const DWORD error =
        GetNamedSecurityInfoW(long_path(folder).data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, &dacl, nullptr, descriptor.put());
    if (error != ERROR_SUCCESS)
        return windows_error(error);
    return groups_granted_change(dacl);
}

} // namespace morvane::win32
