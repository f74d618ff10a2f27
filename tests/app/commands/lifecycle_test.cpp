#include "app/commands/command_line.hpp"
#include "app/record/setup_record.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

namespace morvane::testing {
namespace {
namespace fs = std::filesystem;

TEST(LifecycleSwitches, OneCommandAtATimeAndTheDryRunIsUnattended) {
    EXPECT_EQ(parse_command_line({"/VERIFY", "/silent"}).value().command, Command::verify);
    EXPECT_EQ(parse_command_line({"-uninstall"}).value().command, Command::uninstall);
    EXPECT_EQ(parse_command_line({"/repair", "/sas=9.4"}).value().command, Command::repair);
    const auto dry_run = parse_command_line({"/whatif"});
    EXPECT_TRUE(dry_run.value().silent);
    EXPECT_TRUE(asks_for_silence({"/WhatIf"}));
    EXPECT_TRUE(parse_command_line({"/verify", "/VERIFY"}).ok());
    EXPECT_FALSE(parse_command_line({"/verify", "/uninstall"}).ok());
    EXPECT_FALSE(parse_command_line({"/verify=yes"}).ok());
}

class Lifecycle : public ::testing::Test {
  protected:
    Lifecycle() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, original_config);
        machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    }
    int run(const std::vector<std::string>& arguments) {
        return run_setup(machine.platform, console, host, instance, arguments);
    }
    SetupRecord record() {
        const auto parsed = parse_setup_record(machine.read(record_path));
        EXPECT_TRUE(parsed.ok()) << parsed.error().description;
        return parsed.value();
    }
    bool said(const std::string& line) {
        const auto& out = console.out_lines;
        return std::find(out.begin(), out.end(), line) != out.end();
    }
    // Every folder, and every file with its bytes and time, below the machine's root.
    std::map<std::string, std::pair<std::string, fs::file_time_type>> snapshot() {
        std::map<std::string, std::pair<std::string, fs::file_time_type>> found;
        for (const auto& entry : fs::recursive_directory_iterator(machine.root)) {
            auto& [bytes, time] = found[entry.path().string()];
            if (entry.is_regular_file()) {
                std::ifstream file(entry.path(), std::ios::binary);
                bytes.assign(std::istreambuf_iterator<char>(file), {});
                time = entry.last_write_time();
            }
        }
        return found;
    }

    const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
    const std::string original_config =
        "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";
    const std::string record_path = "D:\\Tools\\Kit\\morvane-setup.ini";
    const std::string macros = "D:\\Tools\\Kit\\saspgm\\";
    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

TEST_F(Lifecycle, InstallationRecordsEveryFileWithTheHashOfItsBytes) {
    ASSERT_EQ(run({"/silent"}), exit_installed);
    const auto recorded = record();
    EXPECT_EQ(recorded.sas_version, "sas9");
    ASSERT_EQ(recorded.files_written.size(), 18u);
    for (const auto& file : recorded.files_written)
        EXPECT_EQ(file.sha256, sha256_of(machine.read(file.path))) << file.path;
    EXPECT_EQ(recorded.folders_created,
              (std::vector<std::string>{"C:\\Users\\ana\\Start Menu\\Programs\\Talmora",
                                        "C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE",
                                        "D:\\Tools\\Kit\\saspgm"}));
    EXPECT_EQ(recorded.shortcuts_saved.size(), 2u);
    ASSERT_EQ(recorded.sasautos.size(), 1u);
    EXPECT_EQ(recorded.sasautos[0].outcome, SasautosOutcome::updated);
    // A second installation keeps what the first one created, to be undone later.
    ASSERT_EQ(run({"/silent"}), exit_installed);
    EXPECT_EQ(record().folders_created.size(), 3u);
    ASSERT_EQ(record().sasautos.size(), 1u);
    EXPECT_EQ(record().sasautos[0].outcome, SasautosOutcome::updated);
}

TEST_F(Lifecycle, FailedInstallationIsRecordedUpToItsFailureAndUninstalls) {
    machine.set_read_only(config, true);
    ASSERT_EQ(run({"/silent"}), exit_step_failed);
    EXPECT_EQ(record().files_written.size(), 17u);
    EXPECT_EQ(record().shortcuts_saved.size(), 2u);
    EXPECT_TRUE(record().sasautos.empty());
    ASSERT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\saspgm"));
    EXPECT_FALSE(machine.exists("C:\\Users\\ana\\Start Menu\\Programs\\Talmora"));
    EXPECT_TRUE(fs::is_empty(machine.files.host_path("D:\\Tools\\Kit")));
}

TEST_F(Lifecycle, VerifyRepairUninstallRoundTrip) {
    ASSERT_EQ(run({"/silent", "/log=D:\\setup.log"}), exit_installed);
    ASSERT_EQ(run({"/verify", "/silent"}), exit_installed);
    EXPECT_EQ(std::count_if(console.out_lines.begin(), console.out_lines.end(),
                            [](const std::string& line) { return line.starts_with("ok "); }),
              21);
    machine.files.delete_file(macros + "addseq.sas");
    auto changed = machine.read(macros + "cdisc.sas");
    changed[10] ^= 1;
    machine.write(macros + "cdisc.sas", changed);
    EXPECT_EQ(run({"/verify", "/silent"}), exit_verify_found_changes);
    EXPECT_TRUE(said("missing " + macros + "addseq.sas"));
    EXPECT_TRUE(said("changed " + macros + "cdisc.sas"));
    ASSERT_EQ(run({"/repair", "/silent"}), exit_installed);
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed);

    machine.write(macros + "varlen.sas", "my own edit\r\n");
    ASSERT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_TRUE(said("kept " + macros + "varlen.sas: changed since the installation"));
    EXPECT_EQ(machine.read(config), original_config);
    EXPECT_FALSE(machine.exists(record_path));
    EXPECT_FALSE(machine.exists("C:\\Users\\ana\\Desktop\\Morvane.lnk"));
    EXPECT_FALSE(machine.exists("C:\\Users\\ana\\Start Menu\\Programs\\Talmora"));
    EXPECT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_TRUE(said("Nothing is recorded in " + record_path + ": there is nothing to uninstall."));
}

TEST_F(Lifecycle, UninstallUndoesTheEntriesOfEveryInstallationAndRepair) {
    const std::string root94 = "C:\\Program Files\\SASHome\\SASFoundation\\9.4";
    const std::string config94 = root94 + "\\nls\\en\\SASV9.CFG";
    const std::string original94 = "-SET SASAUTOS (\"!SASROOT\\core\")\r\n";
    machine.make_folders(root94 + "\\nls\\en");
    machine.write(root94 + "\\SASV9.CFG", "-CONFIG \"!SASROOT\\nls\\en\\SASV9.CFG\"\r\n");
    machine.write(config94, original94);
    machine.registry.set_string(sas_key + "9.4", "DefaultRoot", root94);
    ASSERT_EQ(run({"/silent", "/sas=9.1"}), exit_installed);
    ASSERT_EQ(run({"/silent", "/sas=9.4"}), exit_installed);
    // A list the administrator adds after the installation gets the entry on repair.
    const std::string added = "-SET SASAUTOS (\"C:\\mine\")\r\n";
    machine.write(config94, machine.read(config94) + added);
    ASSERT_EQ(run({"/repair", "/silent"}), exit_installed);
    EXPECT_EQ(record().sasautos.size(), 3u);
    ASSERT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_EQ(machine.read(config), original_config);
    // The first update's final empty line, no longer the last line, stays.
    EXPECT_EQ(machine.read(config94), original94 + "\r\n" + added);
    EXPECT_FALSE(machine.exists(record_path));
}

TEST_F(Lifecycle, AFolderListedBeforeStaysListedAndAMissingListIsSaidInOneLine) {
    const auto listed = "-SET SASAUTOS (\r\n \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n";
    machine.write(config, listed);
    ASSERT_EQ(run({"/silent"}), exit_installed);
    ASSERT_EQ(run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_EQ(machine.read(config), listed);

    machine.write(config, "-SET MYVAR 1\r\n");
    ASSERT_EQ(run({"/silent", "/log=D:\\setup.log"}), exit_installed);
    const auto line =
        "SASAUTOS list not found in " + config + ": the macro folder is not on the autocall path";
    EXPECT_TRUE(said(line));
    EXPECT_NE(machine.read("D:\\setup.log").find("T " + line + "\r\n"), std::string::npos);
    // Morvane starts all the same: autoexec.sas includes every macro file itself.
    EXPECT_EQ(run({"/verify", "/silent"}), exit_installed);
    EXPECT_TRUE(said("no list " + config));
}

TEST_F(Lifecycle, WindowAsksBeforeUninstallingAndShowsTheVerificationInABox) {
    ASSERT_EQ(run({"/silent"}), exit_installed);
    machine.write(macros + "relrec.sas", "edited");
    EXPECT_EQ(run({"/verify", "/log=D:\\verify.log"}), exit_verify_found_changes);
    // The log keeps the lines, not the box that repeats them.
    const auto log = machine.read("D:\\verify.log");
    EXPECT_NE(log.find("T changed " + macros + "relrec.sas\r\n"), std::string::npos);
    EXPECT_EQ(log.find("incomplete:"), std::string::npos);
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].text,
              "The Morvane installation is incomplete:\nchanged " + macros + "relrec.sas");
    machine.messages.answer_yes = false;
    EXPECT_EQ(run({"/uninstall", "/log=D:\\uninstall.log"}), exit_left_without_installing);
    EXPECT_EQ(machine.read("D:\\uninstall.log"),
              "T Remove the Morvane macro library, its shortcuts and its SASAUTOS entry? No\r\n");
    EXPECT_EQ(machine.messages.questions,
              std::vector<std::string>{
                  "Remove the Morvane macro library, its shortcuts and its SASAUTOS entry?"});
    EXPECT_TRUE(machine.exists(record_path));
    EXPECT_FALSE(host.ran);
}

TEST_F(Lifecycle, RepairInTheWindowPreselectsTheRecordedRelease) {
    machine.write(record_path, "[Release]\r\nVersion=sas8\r\n");
    EXPECT_EQ(run({"/verify", "/silent"}), exit_no_sas);
    machine.registry.set_string(sas_key + "8", "DefaultRoot", "C:\\SAS\\V8");
    EXPECT_EQ(run({"/repair", "/sas=9.1"}), exit_left_without_installing);
    EXPECT_TRUE(host.ran);
    EXPECT_EQ(host.window.selected, OptionButton::optSas8);
}

TEST_F(Lifecycle, UnreadableRecordIsNeverTakenForNothingInstalled) {
    machine.write(record_path, "[Release]\r\nVersion=sas9\r\n[Files written]\r\nFile=x\r\n");
    for (const auto& command : {"/uninstall", "/verify", "/repair", "/whatif"}) {
        EXPECT_EQ(run({command, "/silent"}), exit_step_failed) << command;
        ASSERT_EQ(console.err_lines.size(), 1u) << command;
        EXPECT_NE(console.err_lines[0].find("cannot be read at line 4"), std::string::npos);
    }
    EXPECT_EQ(run({"/silent"}), exit_step_failed);
    EXPECT_TRUE(console.err_lines[0].starts_with("Error reading the setup record ..."));
    EXPECT_FALSE(machine.exists(macros + "autoexec.sas"));
}

TEST_F(Lifecycle, DryRunWritesNothingAndShowsTheChange) {
    const auto before = snapshot();
    EXPECT_EQ(run({"/whatif", "/log=D:\\setup.log"}), exit_installed);
    EXPECT_TRUE(said("create " + macros + "autoexec.sas"));
    EXPECT_TRUE(said("create C:\\Users\\ana\\Desktop\\Morvane.lnk"));
    EXPECT_TRUE(said("+                \"D:\\Tools\\Kit\\saspgm\""));
    EXPECT_TRUE(said("--- " + config));
    machine.files.delete_file("D:\\setup.log");
    EXPECT_EQ(snapshot(), before);

    ASSERT_EQ(run({"/silent"}), exit_installed);
    machine.write(macros + "cdisc.sas", "edited");
    const std::string start_menu =
        "C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk";
    machine.shell.saved.push_back(machine.shell.read_shortcut(start_menu).value());
    machine.shell.saved.back().icon_location += ",1";
    EXPECT_EQ(run({"/whatif"}), exit_installed);
    for (const auto& line :
         {"replace " + macros + "cdisc.sas", "unchanged " + macros + "addseq.sas",
          "unchanged " + machine.shell.saved[0].file_path, "replace " + start_menu,
          "already listed " + config})
        EXPECT_TRUE(said(line)) << line;
    machine.files.delete_file(config);
    EXPECT_EQ(run({"/whatif"}), exit_step_failed);
    machine.registry = FakeRegistry();
    EXPECT_EQ(run({"/whatif"}), exit_no_sas);
}

} // namespace
} // namespace morvane::testing
