#include "app/window/startup.hpp"
#include "integration/shortcuts.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

InstallationRecord three_versions(const std::string& all_users) {
    FakeRegistry registry;
    registry.set_string(sas_key + "8", "DefaultRoot", "C:\\SAS\\V8");
    registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\Program Files\\SAS\\V91");
    registry.set_string(sas_key + "9.2", "DefaultRoot", "C:\\SAS\\V92");
    registry.set_string(sas_key + "9.3", "DefaultRoot", "C:\\SAS\\9.3");
    registry.set_string(sas_key + "9.4", "DefaultRoot",
                        "C:\\Program Files\\SASHome\\SASFoundation\\9.4");
    registry.set_string("SOFTWARE\\Talmora\\Morvane", "AllUsers", all_users);
    return read_installation_record(registry);
}

class Shortcuts : public ::testing::Test {
  protected:
    Shortcuts() { machine.prepare_program_folder("D:\\Tools\\My Kit"); }
    // Empty on success, else the platform's description.
    std::string create(const std::string& version, const InstallationRecord& record) {
        return description_of(create_shortcuts(
            *release_with_version_key(version), record, scope_of_setting(record),
            {machine.shell, machine.files, "D:\\Tools\\My Kit", machine.location.stem}));
    }

    TestMachine machine;
};

struct VersionCase {
    std::string version;
    std::string target;
    std::string working_folder;
    std::string arguments;
};

class ShortcutsForVersion : public Shortcuts, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(ShortcutsForVersion, BothCarryTheVersionsCommandLine) {
    machine.make_folders("C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE");
    ASSERT_EQ(create(GetParam().version, three_versions("")), "");
    ASSERT_EQ(machine.shell.saved.size(), 2u);
    EXPECT_EQ(machine.shell.saved[0].file_path, "C:\\Users\\ana\\Desktop\\Morvane.lnk");
    EXPECT_EQ(machine.shell.saved[1].file_path,
              "C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk");
    for (const auto& shortcut : machine.shell.saved) {
        EXPECT_EQ(shortcut.description, "Morvane");
        EXPECT_EQ(shortcut.show_command, 3);
        EXPECT_EQ(shortcut.arguments, GetParam().arguments);
        EXPECT_EQ(shortcut.target_path, GetParam().target);
        EXPECT_EQ(shortcut.working_directory, GetParam().working_folder);
        EXPECT_EQ(shortcut.icon_location, "D:\\Tools\\My Kit\\Morvane_Post_Installation_setup.icx");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ShortcutsForVersion,
    ::testing::Values(
        VersionCase{
            "sas8", "C:\\SAS\\V8\\sas.exe", "C:\\SAS\\V8",
            " -CONFIG \"C:\\SAS\\V8\\SASV8.CFG\" -CONFIG \"D:\\Tools\\My Kit\\morvane.cfg\""},
        VersionCase{"sas9", "C:\\Program Files\\SAS\\V91\\sas.exe", "C:\\Program Files\\SAS\\V91",
                    " -CONFIG \"C:\\Program Files\\SAS\\V91\\SASV9.CFG\" -CONFIG \"D:\\Tools\\My "
                    "Kit\\morvane.cfg\""},
        VersionCase{
            "sas92", "C:\\SAS\\V92\\sas.exe", "C:\\SAS\\V92",
            " -CONFIG \"C:\\SAS\\V92\\SASV9.CFG\" -CONFIG \"D:\\Tools\\My Kit\\morvane.cfg\""},
        VersionCase{
            "sas93", "C:\\SAS\\9.3\\sas.exe", "C:\\SAS\\9.3",
            " -CONFIG \"C:\\SAS\\9.3\\SASV9.CFG\" -CONFIG \"D:\\Tools\\My Kit\\morvane.cfg\""},
        VersionCase{"sas94", "C:\\Program Files\\SASHome\\SASFoundation\\9.4\\sas.exe",
                    "C:\\Program Files\\SASHome\\SASFoundation\\9.4",
                    " -CONFIG \"C:\\Program Files\\SASHome\\SASFoundation\\9.4\\SASV9.CFG\" "
                    "-CONFIG \"D:\\Tools\\My Kit\\morvane.cfg\""}));

struct AllUsersCase {
    std::string all_users;
    bool for_all_users;
};

class ShortcutFolders : public Shortcuts, public ::testing::WithParamInterface<AllUsersCase> {};

TEST_P(ShortcutFolders, OnlyExactlyOneMeansAllUsers) {
    machine.make_folders("C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE");
    ASSERT_EQ(create("sas9", three_versions(GetParam().all_users)), "");
    ASSERT_EQ(machine.shell.saved.size(), 2u);
    if (GetParam().for_all_users) {
        EXPECT_EQ(machine.shell.saved[0].file_path, "C:\\Users\\Public\\Desktop\\Morvane.lnk");
        EXPECT_EQ(machine.shell.saved[1].file_path,
                  "C:\\ProgramData\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk");
    } else {
        EXPECT_EQ(machine.shell.saved[0].file_path, "C:\\Users\\ana\\Desktop\\Morvane.lnk");
    }
}

INSTANTIATE_TEST_SUITE_P(AllUsersValues, ShortcutFolders,
                         ::testing::Values(AllUsersCase{"1", true}, AllUsersCase{"", false},
                                           AllUsersCase{"2", false}, AllUsersCase{" 1", false},
                                           AllUsersCase{"1 ", false}));

TEST_F(Shortcuts, EarlierShortcutsAreReplacedAndMissingOnesPassedOver) {
    machine.make_folders("C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE");
    ASSERT_EQ(create("sas8", three_versions("")), "") << "first installation: nothing there yet";
    ASSERT_EQ(create("sas92", three_versions("")), "");
    ASSERT_EQ(machine.shell.saved.size(), 4u);
    EXPECT_EQ(machine.shell.saved[3].target_path, "C:\\SAS\\V92\\sas.exe");
}

TEST_F(Shortcuts, StartMenuFolderIsMissingForTheCurrentUser) {
    EXPECT_EQ(create("sas9", three_versions("")), "No such file or directory");
    ASSERT_EQ(machine.shell.saved.size(), 1u) << "the desktop shortcut stays";
    EXPECT_TRUE(machine.exists("C:\\Users\\ana\\Desktop\\Morvane.lnk"));
}

TEST_F(Shortcuts, RefusedSaveKeepsTheEarlierShortcut) {
    machine.write("C:\\Users\\ana\\Desktop\\Morvane.lnk", "old");
    machine.shell.save_failure = PlatformError{PlatformError::Kind::other, "Access denied."};
    EXPECT_EQ(create("sas9", three_versions("")), "Access denied.");
    EXPECT_EQ(machine.read("C:\\Users\\ana\\Desktop\\Morvane.lnk"), "old");
    EXPECT_TRUE(machine.shell.saved.empty());
}

TEST_F(Shortcuts, AllUsersStartMenuFolderIsMadeWhereMissing) {
    EXPECT_EQ(create("sas9", three_versions("1")), "");
    EXPECT_TRUE(
        machine.exists("C:\\ProgramData\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk"));
}

} // namespace
} // namespace morvane::testing
