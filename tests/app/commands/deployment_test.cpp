#include "app/commands/command_line.hpp"
#include "app/record/setup_record.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace morvane::testing {
namespace {

const ProcessAccount local_system{"S-1-5-18", "NT AUTHORITY\\SYSTEM", true, true};
const std::string product_key = "SOFTWARE\\Talmora\\Morvane";
const std::string user_desktop = "C:\\Users\\ana\\Desktop";
const std::string public_desktop = "C:\\Users\\Public\\Desktop";
const std::string user_programs = "C:\\Users\\ana\\Start Menu\\Programs";
const std::string common_programs = "C:\\ProgramData\\Start Menu\\Programs";
const std::string service_reason =
    "The setup runs as NT AUTHORITY\\SYSTEM, a service account whose desktop no person sees: "
    "the shortcuts are made for all users.";

// A SAS 9.1 machine run the way deployment tools run the setup.
class Deployment : public ::testing::Test {
  protected:
    Deployment() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n");
        machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    }
    int run(const std::vector<std::string>& arguments) {
        return run_setup(machine.platform, console, host, instance, arguments);
    }
    bool said(const std::string& line) const {
        const auto& out = console.out_lines;
        return std::find(out.begin(), out.end(), line) != out.end();
    }
    std::optional<ShortcutScope> recorded_scope() {
        return parse_setup_record(machine.read(record_path)).value().scope;
    }

    const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
    const std::string record_path = "D:\\Tools\\Kit\\morvane-setup.ini";
    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

RegistryValue text(RegistryValueType type, const std::string& value) {
    return {type, value + '\0', 0};
}
RegistryValue dword(std::uint32_t value) {
    return {RegistryValueType::dword, "", value};
}
const auto all = ShortcutScope::all_users;
const auto user = ShortcutScope::current_user;

struct ScopeCase {
    const char* name;
    std::optional<RegistryValue> all_users;
    std::vector<std::string> switches;
    bool service;
    std::optional<ShortcutScope> made; // nothing: the line is refused
};

class ScopeOfTheShortcuts : public Deployment, public ::testing::WithParamInterface<ScopeCase> {};

TEST_P(ScopeOfTheShortcuts, SwitchThenServiceAccountThenAllUsers) {
    const auto& scope = GetParam();
    if (scope.all_users)
        machine.registry.set(product_key, "AllUsers", *scope.all_users);
    if (scope.service)
        machine.account.account = local_system;
    auto arguments = scope.switches;
    arguments.push_back("/silent");
    const auto exit_code = run(arguments);
    if (!scope.made) {
        EXPECT_EQ(exit_code, exit_bad_command_line);
        EXPECT_FALSE(machine.exists(record_path));
        EXPECT_EQ(console.err_lines.at(0).find("/currentuser cannot be used by NT AUTHORITY"), 0u);
        return;
    }
    ASSERT_EQ(exit_code, exit_installed);
    ASSERT_EQ(machine.shell.saved.size(), 2u);
    const bool for_all = scope.made == all;
    EXPECT_EQ(machine.shell.saved[0].file_path,
              (for_all ? public_desktop : user_desktop) + "\\Morvane.lnk");
    EXPECT_EQ(machine.shell.saved[1].file_path,
              (for_all ? common_programs : user_programs) + "\\Talmora\\MORVANE\\Morvane.lnk");
    EXPECT_EQ(recorded_scope(), scope.made);
    // Only the account's own choice needs saying.
    EXPECT_EQ(said(service_reason), scope.service && scope.switches.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Deployment, ScopeOfTheShortcuts,
    ::testing::Values(
        ScopeCase{"NoSetting", std::nullopt, {}, false, user},
        ScopeCase{"StringOne", text(RegistryValueType::string, "1"), {}, false, all},
        ScopeCase{"ExpandableOne", text(RegistryValueType::expandable_string, "1"), {}, false, all},
        ScopeCase{"DwordOne", dword(1), {}, false, all},
        ScopeCase{"DwordEleven", dword(11), {}, false, user},
        ScopeCase{"AllUsersSwitch", std::nullopt, {"/ALLUSERS"}, false, all},
        ScopeCase{"CurrentUserOverOne",
                  text(RegistryValueType::string, "1"),
                  {"-currentuser"},
                  false,
                  user},
        ScopeCase{"ServiceAccount", text(RegistryValueType::string, "0"), {}, true, all},
        ScopeCase{"ServiceAskingForAllUsers", std::nullopt, {"/allusers"}, true, all},
        ScopeCase{"ServiceRefusesCurrentUser", std::nullopt, {"/currentuser"}, true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScopeSwitches, OneScopeAtATimeAndTheUsageListsBoth) {
    EXPECT_FALSE(parse_command_line({"/allusers", "/currentuser"}).ok());
    EXPECT_FALSE(parse_command_line({"/allusers=1"}).ok());
    EXPECT_NE(usage_text("setup.exe").find("[/allusers|/currentuser]"), std::string::npos);
}

TEST_F(Deployment, VerifyRepairAndUninstallFollowTheRecordedScope) {
    ASSERT_EQ(run({"/silent", "/allusers"}), exit_installed);
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed) << "the setting says current user";
    EXPECT_TRUE(said("ok " + public_desktop + "\\Morvane.lnk"));
    machine.files.delete_file(public_desktop + "\\Morvane.lnk");
    ASSERT_EQ(run({"/repair", "/silent"}), exit_installed);
    EXPECT_EQ(machine.shell.saved.back().file_path,
              common_programs + "\\Talmora\\MORVANE\\Morvane.lnk");
    EXPECT_FALSE(machine.exists(user_desktop + "\\Morvane.lnk"));
    ASSERT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    for (const auto& gone : {public_desktop + "\\Morvane.lnk", common_programs + "\\Talmora"})
        EXPECT_FALSE(machine.exists(gone)) << gone;
}

// A deployment tool's SYSTEM account checks a per-user installation where its shortcuts
// went, and does not repair them into its own profile.
TEST_F(Deployment, AServiceAccountChecksTheRecordedUsersShortcutsButLeavesTheirRepair) {
    ASSERT_EQ(run({"/silent"}), exit_installed);
    machine.account.account = local_system;
    const std::string profile = "C:\\Windows\\System32\\config\\systemprofile";
    machine.shell.folders[SpecialFolder::desktop] = profile + "\\Desktop";
    machine.shell.folders[SpecialFolder::programs] = profile + "\\Programs";
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed);
    EXPECT_TRUE(said("ok " + user_desktop + "\\Morvane.lnk"));
    const auto saved = machine.shell.saved.size();
    EXPECT_EQ(run({"/repair", "/silent"}), exit_step_failed);
    EXPECT_EQ(machine.shell.saved.size(), saved);
    EXPECT_NE(console.err_lines.at(0).find("run /repair as that user."), std::string::npos);
    EXPECT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_FALSE(machine.exists(user_desktop + "\\Morvane.lnk"));
}

TEST_F(Deployment, ARecordWithoutScopeMeansWhatTheSettingSays) {
    machine.registry.set_string(product_key, "AllUsers", "1");
    ASSERT_EQ(run({"/silent"}), exit_installed);
    auto text = machine.read(record_path);
    text.erase(text.find("Scope=all users\r\n"), 17);
    machine.write(record_path, text);
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed);
    machine.registry.set_string(product_key, "AllUsers", "0");
    EXPECT_EQ(run({"/verify", "/silent", "/allusers"}), exit_verify_found_changes)
        << "the record comes before a switch";
    EXPECT_TRUE(said("missing " + user_desktop + "\\Morvane.lnk"));
}

TEST_F(Deployment, OnlyTheInstallationMakesMissingSpecialFolders) {
    for (const auto& folder : {user_desktop, user_programs})
        std::filesystem::remove_all(machine.files.host_path(folder));
    ASSERT_EQ(run({"/whatif"}), exit_installed);
    for (const auto& folder : {user_programs, user_programs + "\\Talmora\\MORVANE", user_desktop})
        EXPECT_TRUE(said("create " + folder)) << folder;
    EXPECT_EQ(run({"/verify", "/silent"}), exit_verify_found_changes);
    EXPECT_TRUE(said("missing " + user_desktop));
    EXPECT_TRUE(machine.shell.made.empty());
    ASSERT_EQ(run({"/silent"}), exit_installed);
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed);
}

struct RightsCase {
    bool elevated;
    bool refused; // access denied, else a Start-menu folder that cannot be made
    std::string error;
};

class MissingRights : public Deployment, public ::testing::WithParamInterface<RightsCase> {};

TEST_P(MissingRights, OnlyARefusalWithoutElevationAsksForAnAdministrator) {
    machine.account.account.elevated = GetParam().elevated;
    if (GetParam().refused) {
        machine.make_folders("D:\\Tools\\Kit\\saspgm");
        machine.write("D:\\Tools\\Kit\\saspgm\\autoexec.sas", "old");
        machine.set_read_only("D:\\Tools\\Kit\\saspgm\\autoexec.sas", true);
    } else {
        machine.write(user_programs + "\\Talmora", "a file in the way");
    }
    EXPECT_EQ(run({"/silent"}), exit_step_failed);
    ASSERT_EQ(console.err_lines.size(), 1u);
    // The host's own words for a folder that is not one differ between systems.
    EXPECT_EQ(console.err_lines[0].substr(0, GetParam().error.size()), GetParam().error);
    EXPECT_EQ(console.err_lines[0].ends_with(" The setup needs to be run as administrator."),
              GetParam().refused && !GetParam().elevated);
}

INSTANTIATE_TEST_SUITE_P(
    Deployment, MissingRights,
    ::testing::Values(RightsCase{true, true, "Error creating autoexec.sas ... Permission denied"},
                      RightsCase{false, true,
                                 "Error creating autoexec.sas ... Permission denied The setup "
                                 "needs to be run as administrator."},
                      RightsCase{false, false, "Error creating desktop shortcut ... "}));

} // namespace
} // namespace morvane::testing
