#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/security/folder_rights.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <gtest/gtest.h>

#include <aclapi.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace morvane::win32 {
namespace {

struct Grant {
    WELL_KNOWN_SID_TYPE group;
    ACCESS_MASK rights;
    BYTE flags;
    std::vector<std::string> can_change;
};

// A list that gives Administrators full control, and the grant.
struct Dacl {
    explicit Dacl(const Grant& grant) {
        InitializeAcl(acl(), sizeof bytes, ACL_REVISION);
        for (const auto& [group, rights, flags] :
             {std::tuple{WinBuiltinAdministratorsSid, ACCESS_MASK(GENERIC_ALL), BYTE(0)},
              std::tuple{grant.group, grant.rights, grant.flags}}) {
            BYTE sid[SECURITY_MAX_SID_SIZE];
            DWORD size = sizeof sid;
            EXPECT_TRUE(CreateWellKnownSid(group, nullptr, sid, &size));
            EXPECT_TRUE(AddAccessAllowedAceEx(acl(), ACL_REVISION, flags, rights, sid));
        }
    }
    ACL* acl() { return reinterpret_cast<ACL*>(bytes); }
    alignas(DWORD) BYTE bytes[512];
};

class FolderGrant : public ::testing::TestWithParam<Grant> {};

TEST_P(FolderGrant, OnlyRightsToChangeFilesCountAndNotForWhatIsInside) {
    Dacl dacl(GetParam());
    EXPECT_EQ(groups_granted_change(dacl.acl()), GetParam().can_change);
}

const auto files_inherit = static_cast<BYTE>(INHERIT_ONLY_ACE | OBJECT_INHERIT_ACE);
const auto folders_inherit = static_cast<BYTE>(INHERIT_ONLY_ACE | CONTAINER_INHERIT_ACE);
INSTANTIATE_TEST_SUITE_P(
    Groups, FolderGrant,
    ::testing::Values(Grant{WinWorldSid, FILE_GENERIC_WRITE, 0, {"Everyone"}},
                      Grant{WinBuiltinUsersSid, FILE_ADD_FILE, 0, {"Users"}},
                      Grant{WinAuthenticatedUserSid, WRITE_OWNER, 0, {"Authenticated Users"}},
                      Grant{WinInteractiveSid, DELETE, 0, {"INTERACTIVE"}},
                      Grant{WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, 0, {}},
                      Grant{WinBuiltinUsersSid, FILE_GENERIC_WRITE, files_inherit, {"Users"}},
                      Grant{WinWorldSid, GENERIC_ALL, folders_inherit, {}},
                      Grant{WinLocalSystemSid, GENERIC_ALL, 0, {}}));

TEST(FolderGrants, NoListAtAllLetsEveryoneChangeIt) {
    EXPECT_EQ(groups_granted_change(nullptr), std::vector<std::string>{"Everyone"});
}

// Wine keeps a folder's security as its mode bits: what it can hold is the owner's rights
// and everyone else's.
TEST(FolderGrants, AsARealFolderKeepsThemWithNoLinkInIt) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const auto folder = narrow(temp) + "morvane-rights-" + std::to_string(GetTickCount64());
    Win32FileSystem files;
    ASSERT_FALSE(files.make_folder(folder));
    for (const auto& grant : {Grant{WinWorldSid, FILE_GENERIC_WRITE, 0, {"Everyone"}},
                              Grant{WinWorldSid, FILE_GENERIC_READ, 0, {}}}) {
        Dacl dacl(grant);
        ASSERT_EQ(
            SetNamedSecurityInfoW(widen(folder).data(), SE_FILE_OBJECT,
                                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, dacl.acl(), nullptr),
            static_cast<DWORD>(ERROR_SUCCESS));
        const auto groups = files.groups_that_can_change(folder);
        ASSERT_TRUE(groups.ok()) << groups.error().description;
        EXPECT_EQ(groups.value(), grant.can_change);
    }
    const auto missing = files.groups_that_can_change(folder + "\\missing");
    EXPECT_FALSE(missing.ok());

    ASSERT_FALSE(files.write_file(folder + "\\plain.txt", "plain"));
    for (const auto& path : {folder, folder + "\\plain.txt", folder + "\\missing\\below.txt"}) {
        const auto link = files.is_link(path);
        ASSERT_TRUE(link.ok()) << path << ": " << link.error().description;
        EXPECT_FALSE(link.value()) << path;
    }
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(long_path(folder)), ignored);
}

} // namespace
} // namespace morvane::win32
