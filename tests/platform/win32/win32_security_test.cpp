#include "platform/win32/files/win32_file_system.hpp"
#include "platform/win32/system/wide_text.hpp"

#include <gtest/gtest.h>

#include <aclapi.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace morvane::win32 {
namespace {

class FolderSecurity : public ::testing::Test {
  protected:
    FolderSecurity() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int fixtures = 0;
        folder = narrow(temp) + "morvane-security-" + std::to_string(GetTickCount64()) + "-" +
                 std::to_string(++fixtures);
        EXPECT_FALSE(files.make_folder(folder));
    }
    ~FolderSecurity() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(long_path(folder)), ignored);
    }
    Win32FileSystem files;
    std::string folder;
};

struct Grant {
    WELL_KNOWN_SID_TYPE group;
    ACCESS_MASK rights;
    BYTE flags;
    std::vector<std::string> can_change;
};

class FolderGrant : public FolderSecurity, public ::testing::WithParamInterface<Grant> {};

// The folder's list holds Administrators' full control and the grant, nothing inherited.
TEST_P(FolderGrant, OnlyRightsToChangeFilesCountAndNotForWhatIsInside) {
    const auto& grant = GetParam();
    BYTE list[512];
    auto* dacl = reinterpret_cast<PACL>(list);
    ASSERT_TRUE(InitializeAcl(dacl, sizeof list, ACL_REVISION));
    for (const auto& [group, rights, flags] :
         {std::tuple{WinBuiltinAdministratorsSid, ACCESS_MASK(GENERIC_ALL), BYTE(0)},
          std::tuple{grant.group, grant.rights, grant.flags}}) {
        BYTE sid[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof sid;
        ASSERT_TRUE(CreateWellKnownSid(group, nullptr, sid, &size));
        ASSERT_TRUE(AddAccessAllowedAceEx(dacl, ACL_REVISION, flags, rights, sid));
    }
    ASSERT_EQ(SetNamedSecurityInfoW(widen(folder).data(), SE_FILE_OBJECT,
                                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, dacl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));

    const auto groups = files.groups_that_can_change(folder);
    ASSERT_TRUE(groups.ok()) << groups.error().description;
    EXPECT_EQ(groups.value(), grant.can_change);
}

const auto inherit_only = static_cast<BYTE>(INHERIT_ONLY_ACE | OBJECT_INHERIT_ACE);
INSTANTIATE_TEST_SUITE_P(
    Groups, FolderGrant,
    ::testing::Values(Grant{WinWorldSid, FILE_GENERIC_WRITE, 0, {"Everyone"}},
                      Grant{WinBuiltinUsersSid, FILE_ADD_FILE, 0, {"Users"}},
                      Grant{WinAuthenticatedUserSid, WRITE_OWNER, 0, {"Authenticated Users"}},
                      Grant{WinInteractiveSid, DELETE, 0, {"INTERACTIVE"}},
                      Grant{WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE, 0, {}},
                      Grant{WinWorldSid, GENERIC_ALL, inherit_only, {}},
                      Grant{WinLocalSystemSid, GENERIC_ALL, 0, {}}));

TEST_F(FolderSecurity, OrdinaryFilesFoldersAndMissingPathsAreNoLinks) {
    ASSERT_FALSE(files.write_file(folder + "\\plain.txt", "plain"));
    for (const auto& path : {folder, folder + "\\plain.txt", folder + "\\missing.txt",
                             folder + "\\missing\\below.txt"}) {
        const auto link = files.is_link(path);
        ASSERT_TRUE(link.ok()) << path << ": " << link.error().description;
        EXPECT_FALSE(link.value()) << path;
    }
}

TEST_F(FolderSecurity, SymbolicLinkIsALink) {
    const auto link = folder + "\\link";
    if (!CreateSymbolicLinkW(long_path(link).c_str(), long_path(folder).c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no symbolic link here: " << last_error().description;
    const auto found = files.is_link(link);
    ASSERT_TRUE(found.ok()) << found.error().description;
    EXPECT_TRUE(found.value());
}

} // namespace
} // namespace morvane::win32
