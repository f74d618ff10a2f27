#include "app/commands/command_line.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace morvane::testing {
namespace {

struct ParseCase {
    std::vector<std::string> arguments;
    bool valid;
    bool silent = false;
    std::string release = ""; // its switch value; empty: none asked for
    std::optional<std::string> log = std::nullopt;
    bool help = false;
};

class ParseCommandLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLine, WindowsStyleSwitchesInAnyCase) {
    const auto result = parse_command_line(GetParam().arguments);
    ASSERT_EQ(result.ok(), GetParam().valid);
    if (!result.ok()) {
        EXPECT_FALSE(result.error().description.empty());
        return;
    }
    const auto* parsed = &result.value();
    EXPECT_EQ(parsed->silent, GetParam().silent);
    EXPECT_EQ(parsed->release ? std::string(parsed->release->switch_value) : "",
              GetParam().release);
    EXPECT_EQ(parsed->log_file, GetParam().log);
    EXPECT_EQ(parsed->help, GetParam().help);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCommandLine,
    ::testing::Values(ParseCase{{}, true}, ParseCase{{"/SILENT"}, true, true},
                      ParseCase{{"/quiet", "/Sas=9.2"}, true, true, "9.2"},
                      ParseCase{{"-q", "/sas=8"}, true, true, "8"},
                      ParseCase{{"/sas=9.1", "/LOG=C:\\Temp\\setup log.txt"},
                                true,
                                false,
                                "9.1",
                                "C:\\Temp\\setup log.txt"},
                      ParseCase{{"/sas=9.3"}, true, false, "9.3"},
                      ParseCase{{"/silent", "-SAS=9.4"}, true, true, "9.4"},
                      ParseCase{{"/?"}, true, false, "", std::nullopt, true},
                      ParseCase{{"/Help"}, true, false, "", std::nullopt, true},
                      ParseCase{{"/sas=7"}, false}, ParseCase{{"/sas"}, false},
                      ParseCase{{"/sas=sas94"}, false}, ParseCase{{"/sas=9.5"}, false},
                      ParseCase{{"/sas=9"}, false}, ParseCase{{"/log="}, false},
                      ParseCase{{"/silent=yes"}, false}, ParseCase{{"/install"}, false},
                      ParseCase{{"silent"}, false}));

class SetupProgram : public ::testing::Test {
  protected:
    SetupProgram() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n");
        machine.registry.set_string("SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1",
                                    "DefaultRoot", "C:\\SAS\\V91");
    }
    int run(const std::vector<std::string>& arguments) {
        ProgramServices services{
            machine.platform, console, host, instance, [] { return std::string("T"); },
            "setup.exe"};
        return run_setup_program(arguments, services);
    }
    bool nothing_written() {
        return !machine.exists("D:\\Tools\\Kit\\saspgm") &&
               !machine.exists("D:\\Tools\\Kit\\morvane.cfg");
    }

    const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

TEST_F(SetupProgram, SilentInstallReportsEachStepWithoutPausesOrBoxes) {
    EXPECT_EQ(run({"/silent", "/sas=9.1", "/log=D:\\setup.log"}), exit_installed);
    ASSERT_EQ(console.out_lines.size(), 21u);
    EXPECT_EQ(console.out_lines.front(), "Creating autoexec.sas ...");
    EXPECT_EQ(console.out_lines[19], "Installation completed.");
    EXPECT_EQ(console.out_lines[20], "Completed creating shortcut and macro files!");
    EXPECT_TRUE(console.err_lines.empty());
    EXPECT_TRUE(machine.pause.pauses.empty());
    EXPECT_TRUE(machine.messages.shown.empty());
    EXPECT_FALSE(host.ran);
    EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\morvane.cfg"));
    std::string expected_log;
    for (const auto& line : console.out_lines)
        expected_log += "T " + line + "\r\n";
    EXPECT_EQ(machine.read("D:\\setup.log"), expected_log);
}

TEST_F(SetupProgram, ARecordThatCannotBeSavedIsReportedBesideTheFailedStep) {
    const std::string record = "D:\\Tools\\Kit\\morvane-setup.ini";
    const std::string autoexec = "D:\\Tools\\Kit\\saspgm\\autoexec.sas";
    machine.write(record, "[Release]\r\nVersion=sas9\r\n");
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    machine.write(autoexec, "old");
    machine.set_read_only(record, true);
    machine.set_read_only(autoexec, true);
    const auto unsaved = "The setup record " + record + " cannot be written: Permission denied";
    EXPECT_EQ(run({"/silent"}), exit_step_failed);
    EXPECT_EQ(
        console.err_lines,
        std::vector<std::string>{"Error creating autoexec.sas ... Permission denied " + unsaved});
    // A step that did its work fails all the same when what it did cannot be recorded.
    console = RecordingConsole();
    machine.set_read_only(autoexec, false);
    EXPECT_EQ(run({"/silent"}), exit_step_failed);
    EXPECT_EQ(console.err_lines,
              std::vector<std::string>{"Error creating autoexec.sas ... " + unsaved});
}

TEST_F(SetupProgram, FailedStepExitsOneWithTheErrorAndItsDescription) {
    machine.set_read_only(config, true);
    EXPECT_EQ(run({"/q", "/log=D:\\setup.log"}), exit_step_failed);
    ASSERT_EQ(console.err_lines.size(), 1u);
    EXPECT_EQ(console.err_lines[0], "Error configing SAS System ... Permission denied");
    EXPECT_NE(machine.read("D:\\setup.log")
                  .find("T Error configing SAS System ... Permission denied\r\n"),
              std::string::npos);
    EXPECT_EQ(machine.read(config).find("saspgm"), std::string::npos);
}

struct RefusedCase {
    std::vector<std::string> arguments;
    bool remove_sas;
    int exit_code;
};

class RefusedRun : public SetupProgram, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedRun, WritesNothing) {
    if (GetParam().remove_sas)
        machine.registry = FakeRegistry();
    EXPECT_EQ(run(GetParam().arguments), GetParam().exit_code);
    EXPECT_EQ(console.err_lines.size(), 1u);
    EXPECT_TRUE(machine.messages.shown.empty()) << "no box in an unattended run";
    EXPECT_TRUE(nothing_written());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusedRun,
    ::testing::Values(RefusedCase{{"/silent", "/sas=7"}, false, exit_bad_command_line},
                      RefusedCase{{"/sas=7", "/silent"}, false, exit_bad_command_line},
                      RefusedCase{{"/silent", "/bogus"}, false, exit_bad_command_line},
                      RefusedCase{{"/silent"}, true, exit_no_sas},
                      RefusedCase{{"/silent", "/sas=9.2"}, false, exit_no_sas},
                      RefusedCase{{"/silent", "/sas=9.4"}, false, exit_no_sas},
                      RefusedCase{{"/silent", "/log=Q:\\no\\such\\folder\\x.log"},
                                  false,
                                  exit_bad_command_line}));

TEST_F(SetupProgram, WindowShowsTheRequestedVersionSelected) {
    machine.registry.set_string("SOFTWARE\\SAS Institute Inc.\\The SAS System\\8", "DefaultRoot",
                                "C:\\SAS\\V8");
    EXPECT_EQ(run({"/sas=8"}), exit_left_without_installing);
    EXPECT_TRUE(host.ran);
    EXPECT_EQ(host.window.selected, OptionButton::optSas8);
    EXPECT_TRUE(nothing_written());
}

TEST_F(SetupProgram, BadCommandLineWithAWindowIsShownInABox) {
    EXPECT_EQ(run({"/frobnicate"}), exit_bad_command_line);
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_NE(machine.messages.shown[0].text.find("/frobnicate"), std::string::npos);
    EXPECT_FALSE(host.ran);
}

TEST_F(SetupProgram, HelpGoesToTheConsoleWhenSilent) {
    EXPECT_EQ(run({"/?", "/silent"}), exit_installed);
    ASSERT_EQ(console.out_lines.size(), 1u);
    EXPECT_NE(console.out_lines[0].find("/sas=8|9.1|9.2|9.3|9.4"), std::string::npos);
    EXPECT_TRUE(nothing_written());
}

TEST_F(SetupProgram, WindowedRunWithALogRecordsStatusesAndBoxes) {
    machine.write("D:\\Tools\\Kit\\morvane.cfg", "old");
    machine.set_read_only("D:\\Tools\\Kit\\morvane.cfg", true);
    host.user = [](SetupWindowEvents& events) { events.cmdInstall_Click(); };
    EXPECT_EQ(run({"/log=D:\\setup.log"}), exit_step_failed);
    EXPECT_EQ(host.window.status(), "Error configing SAS System ...");
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.pause.pauses.size(), 20u) << "the window keeps its pauses";
    const auto log = machine.read("D:\\setup.log");
    EXPECT_EQ(log.find("T Creating autoexec.sas ...\r\n"), 0u);
    EXPECT_NE(log.find("T Error! Permission denied\r\nT Error configing SAS System ...\r\n"),
              std::string::npos);
}

TEST_F(SetupProgram, LogThatIsALinkOrASecondNameIsRefusedAndNotWritten) {
    const std::string victim = "C:\\Windows\\win.ini";
    machine.make_folders("C:\\Windows");
    machine.write(victim, "[fonts]\r\n");
    std::string not_made_here;
    for (const bool hard : {false, true}) {
        std::filesystem::remove(machine.files.host_path("D:\\setup.log"));
        if (!machine.plant_link("D:\\setup.log", victim, hard)) {
            not_made_here += hard ? " a second name" : " a link";
            continue;
        }
        console.err_lines.clear();
        EXPECT_EQ(run({"/silent", "/sas=9.1", "/log=D:\\setup.log"}), exit_bad_command_line)
            << hard;
        ASSERT_EQ(console.err_lines.size(), 1u) << hard;
        EXPECT_EQ(console.err_lines[0].find("Cannot write the log file D:\\setup.log: "), 0u);
        EXPECT_NE(console.err_lines[0].find(hard ? "more than one name" : "is a link"),
                  std::string::npos)
            << console.err_lines[0];
        EXPECT_EQ(machine.read(victim), "[fonts]\r\n") << hard;
        EXPECT_TRUE(nothing_written()) << hard;
    }
    if (!not_made_here.empty())
        GTEST_SKIP() << "cannot make here:" << not_made_here;
}

TEST_F(SetupProgram, SilentRunInstallsTheNewestReleaseUnlessAnotherIsAskedFor) {
    const std::string root94 = "C:\\Program Files\\SASHome\\SASFoundation\\9.4";
    machine.registry.set_string(sas_key + "9.4", "DefaultRoot", root94);
    machine.make_folders(root94);
    machine.write(root94 + "\\SASV9.CFG", "-CONFIG \"!SASROOT\\nls\\de\\SASV9.CFG\"\r\n");
    machine.make_folders(root94 + "\\nls\\de");
    machine.write(root94 + "\\nls\\de\\SASV9.CFG", "-SET SASAUTOS (\r\n)\r\n");
    EXPECT_EQ(run({"/silent"}), exit_installed);
    EXPECT_EQ(machine.shell.saved.back().target_path, root94 + "\\sas.exe");
    EXPECT_NE(machine.read(root94 + "\\nls\\de\\SASV9.CFG").find("saspgm"), std::string::npos);
    EXPECT_EQ(run({"/silent", "/sas=9.1"}), exit_installed);
    EXPECT_EQ(machine.shell.saved.back().target_path, "C:\\SAS\\V91\\sas.exe");
}

TEST_F(SetupProgram, WindowRefusesAReleaseThatIsNotInstalled) {
    EXPECT_EQ(run({"/sas=9.4"}), exit_no_sas);
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "SAS System version 9.4 is not installed.");
    EXPECT_FALSE(host.ran);
}

struct WindowLeftCase {
    std::string name;
    bool sas_installed;
    bool fault; // the SAS configuration cannot be written
    int installs;
    int exit_code;
};

class WindowExitCode : public SetupProgram, public ::testing::WithParamInterface<WindowLeftCase> {};

TEST_P(WindowExitCode, SaysHowTheWindowWasLeft) {
    const auto& how = GetParam();
    if (!how.sas_installed)
        machine.registry = FakeRegistry();
    if (how.fault)
        machine.set_read_only(config, true);
    host.user = [&how](SetupWindowEvents& events) {
        for (int i = 0; i < how.installs; ++i)
            events.cmdInstall_Click();
        events.cmdExit_Click();
    };
    EXPECT_EQ(run({}), how.exit_code);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WindowExitCode,
    ::testing::Values(WindowLeftCase{"WithoutInstalling", true, false, 0, 5},
                      WindowLeftCase{"OnAMachineWithoutSas", false, false, 0, 3},
                      WindowLeftCase{"AfterAFailedStep", true, true, 1, 1},
                      WindowLeftCase{"AfterTwoFailedAttempts", true, true, 2, 1},
                      WindowLeftCase{"AfterAnInstallation", true, false, 1, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(SetupProgram, SecondCopyWritesNothingAndAsksToRetryLater) {
    instance.another_copy_running = true;
    EXPECT_EQ(run({"/silent", "/log=D:\\setup.log"}), exit_already_running);
    EXPECT_EQ(console.err_lines, std::vector<std::string>{"The setup is already running."});
    EXPECT_TRUE(nothing_written());
    EXPECT_FALSE(machine.exists("D:\\setup.log"));

    EXPECT_EQ(run({}), exit_already_running);
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "The setup is already running.");
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_FALSE(host.ran);
}

struct GuardCase {
    const char* name;
    InstanceClaim claim;
    bool elevated;
    int exit_code;
    std::string noted; // in the log's line on the guard passed over; empty: no such line
};

class FoundGuard : public SetupProgram, public ::testing::WithParamInterface<GuardCase> {};

// Only a guard that Administrators, SYSTEM or, without elevation, this same account made
// means another copy;
// one that a standard user made first is noted and passed over.
TEST_P(FoundGuard, StopsTheRunOnlyWhenACopyOfTheSetupCanHaveMadeIt) {
    const auto& how = GetParam();
    instance.result = how.claim;
    machine.account.account.elevated = how.elevated;
    EXPECT_EQ(run({"/silent", "/sas=9.1", "/log=D:\\setup.log"}), how.exit_code);
    EXPECT_EQ(nothing_written(), how.exit_code == exit_already_running);
    const auto log = machine.exists("D:\\setup.log") ? machine.read("D:\\setup.log") : "";
    const auto at = log.find("T The guard against a second copy");
    ASSERT_EQ(at != log.npos, !how.noted.empty()) << log;
    if (at == log.npos)
        return;
    const auto line = log.substr(at, log.find('\n', at) - at);
    EXPECT_NE(line.find(how.noted), line.npos) << line;
    EXPECT_NE(line.find("the setup goes on."), line.npos) << line;
}

using Found = InstanceClaim::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Owners, FoundGuard,
    ::testing::Values(
        GuardCase{"Administrators",
                  {Found::found, "S-1-5-32-544", "BUILTIN\\Administrators"},
                  true,
                  exit_already_running,
                  ""},
        GuardCase{"LocalSystem", {Found::found, "S-1-5-18", ""}, true, exit_already_running, ""},
        GuardCase{"ThisAccountUnelevated",
                  {Found::found, "S-1-5-21-1-2-3-1001", ""},
                  false,
                  exit_already_running,
                  ""},
        // Elevated, the run's own account did not make it as a copy of the setup would.
        GuardCase{"ThisAccountElevated",
                  {Found::found, "S-1-5-21-1-2-3-1001", ""},
                  true,
                  exit_installed,
                  "made by S-1-5-21-1-2-3-1001, who is not an administrator"},
        GuardCase{
            "UnreadableToAStandardUser", {Found::found, "", ""}, false, exit_already_running, ""},
        GuardCase{"AStandardUser",
                  {Found::found, "S-1-5-21-1-2-3-1002", "WORKSTATION\\bob"},
                  true,
                  exit_installed,
                  "made by WORKSTATION\\bob, who is not an administrator"},
        GuardCase{"UnreadableToAnAdministrator",
                  {Found::found, "", ""},
                  true,
                  exit_installed,
                  "cannot be read"},
        GuardCase{
            "NoneTheSystemCouldMake", {Found::unavailable, "", ""}, true, exit_installed, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupProgram, AWindowThatCannotBeMadeIsReportedNotWaitedFor) {
    host.refusal = PlatformError{PlatformError::Kind::other, "Not enough memory resources."};
    EXPECT_EQ(run({}), exit_step_failed);
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "Not enough memory resources.");
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_FALSE(host.ran);
}

} // namespace
} // namespace morvane::testing
