#include "app/commands/command_line.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

class QualificationReport : public ::testing::Test {
  protected:
    QualificationReport() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write("C:\\SAS\\V91\\nls\\en\\SASV9.CFG", "-SET SASAUTOS (\r\n \"x\"\r\n)\r\n");
        machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
        machine.write("D:\\Tools\\Kit\\Morvane_Post_Installation_setup.exe", "MZ program");
    }
    int run(const std::vector<std::string>& arguments) {
        return run_setup(machine.platform, console, host, instance, arguments);
    }
    bool report_says(const std::string& text) {
        return machine.read(report).find(text) != std::string::npos;
    }

    const std::string report = "D:\\iq.html";
    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

TEST_F(QualificationReport, ChangesNeitherTheExitCodeNorTheLines) {
    ASSERT_EQ(run({"/silent"}), exit_installed);
    const auto installed_lines = console.out_lines;
    ASSERT_EQ(run({"/silent", "/report=" + report}), exit_installed);
    EXPECT_EQ(console.out_lines, installed_lines);
    EXPECT_TRUE(report_says("Outcome: PASS</p>"));
    EXPECT_TRUE(report_says(sha256_of("MZ program")));
    EXPECT_TRUE(report_says("2026-12-09 08:13:00 +01:00</td>"));
    EXPECT_TRUE(report_says("2026-12-09 07:13:00 UTC</td>"));

    machine.files.delete_file("D:\\Tools\\Kit\\saspgm\\relrec.sas");
    ASSERT_EQ(run({"/verify", "/silent"}), exit_verify_found_changes);
    const auto verified_lines = console.out_lines;
    EXPECT_EQ(run({"/verify", "/silent", "/report=" + report}), exit_verify_found_changes);
    EXPECT_EQ(console.out_lines, verified_lines);
    EXPECT_TRUE(report_says("Outcome: FAIL: 1 of 21 items failed"));
    EXPECT_TRUE(report_says("relrec.sas</span></td><td>"));
    ASSERT_EQ(run({"/repair", "/silent", "/report=" + report}), exit_installed);
    EXPECT_TRUE(report_says("Outcome: PASS</p>"));
}

TEST_F(QualificationReport, AReportThatCannotBeWrittenWinsWithOne) {
    ASSERT_EQ(run({"/silent"}), exit_installed);
    const std::string nowhere = "D:\\no such folder\\iq.html";
    EXPECT_EQ(run({"/verify", "/silent", "/report=" + nowhere}), exit_step_failed);
    EXPECT_EQ(console.out_lines.size(), 22u);
    ASSERT_EQ(console.err_lines.size(), 1u);
    EXPECT_TRUE(console.err_lines[0].starts_with("Cannot write the report " + nowhere + ": "));
    EXPECT_EQ(run({"/verify", "/report=" + nowhere}), exit_step_failed);
    ASSERT_EQ(machine.messages.shown.size(), 2u);
    EXPECT_TRUE(machine.messages.shown[1].text.starts_with("Cannot write the report "));
}

TEST_F(QualificationReport, ComesOnlyWhenSomethingWasCheckedOrInstalled) {
    EXPECT_EQ(run({"/uninstall", "/report=" + report}), exit_bad_command_line);
    EXPECT_EQ(run({"/whatif", "/report=" + report}), exit_bad_command_line);
    EXPECT_EQ(run({"/verify", "/silent", "/sas=9.4", "/report=" + report}), exit_no_sas);
    EXPECT_FALSE(machine.exists(report));
    host.user = [](SetupWindowEvents& events) { events.cmdInstall_Click(); };
    ASSERT_EQ(run({"/report=" + report}), exit_installed);
    EXPECT_TRUE(report_says("Outcome: PASS</p>"));
}

} // namespace
} // namespace morvane::testing
