#include "app/install/journaling_services.hpp"
#include "app/window/frmMain.hpp"
#include "app/window/startup.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace morvane::testing {
namespace {

const std::vector<std::string> step_statuses = {
    "Creating autoexec.sas ...", "Creating addseq.sas ...",   "Creating cdisc.sas ...",
    "Creating comment.sas ...",  "Creating contents.sas ...", "Creating difftest.sas ...",
    "Creating findings.sas ...", "Creating findrel.sas ...",  "Creating fmtsum.sas ...",
    "Creating matchvar.sas ...", "Creating metadata.sas ...", "Creating ordervar.sas ...",
    "Creating relrec.sas ...",   "Creating sd2xpt.sas ...",   "Creating suppqual.sas ...",
    "Creating varlen.sas ...",   "Creating sup2dat.sas ...",  "Creating desktop shortcut ...",
    "Config SAS System ..."};

const std::string sas_config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string catalog = "C:\\Users\\ana\\sasuser\\cdisc.sas7bcat";

class InstallSequence : public ::testing::Test {
  protected:
    InstallSequence() {
        machine.prepare_program_folder();
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.make_folders("C:\\Users\\ana\\sasuser");
        machine.write(sas_config, "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n");
        machine.write(catalog, "stale");
        view.option_enabled[OptionButton::optSas8] = false;
        view.option_enabled[OptionButton::optSas92] = false;
        view.selected = OptionButton::optSas9;
    }

    std::vector<float> expected_progress(std::size_t steps_started) {
        std::vector<float> values;
        for (std::size_t i = 0; i < steps_started && i < 19; ++i)
            values.push_back(4.0f * static_cast<float>(i));
        return values;
    }

    void expect_idle_again() {
        EXPECT_TRUE(view.button_enabled[CommandButton::cmdInstall]);
        EXPECT_TRUE(view.button_enabled[CommandButton::cmdExit]);
        EXPECT_FALSE(form.installing());
        EXPECT_FALSE(view.busy);
        EXPECT_FALSE(view.unloaded);
    }

    TestMachine machine;
    FakeWindowView view;
    frmMain form{machine.platform, view, record_with_sas91()};
};

TEST_F(InstallSequence, CompleteRunShowsEveryStepAndEndsWithTheNotice) {
    bool locked_while_running = false;
    machine.messages.on_show = [&] { locked_while_running = form.installing(); };
    form.cmdInstall_Click();

    auto statuses = step_statuses;
    statuses.push_back("Installation completed.");
    EXPECT_EQ(view.statuses, statuses);
    EXPECT_EQ(machine.pause.pauses, std::vector<int>(20, 100));
    EXPECT_GE(view.refreshes, 20) << "the window is repainted before every pause";
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "Completed creating shortcut and macro files!");
    EXPECT_EQ(machine.messages.shown[0].title, "Notice");
    EXPECT_EQ(machine.messages.shown[0].icon, MessageIcon::information);
    EXPECT_FALSE(locked_while_running) << "the window is unlocked before the notice";
    EXPECT_TRUE(view.unloaded);
    EXPECT_FALSE(machine.exists(catalog));
    EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\morvane.cfg"));
    EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\saspgm\\sup2dat.sas"));
    EXPECT_EQ(machine.shell.saved.size(), 2u);
    EXPECT_NE(machine.read(sas_config).find("D:\\Tools\\Kit\\saspgm"), std::string::npos);
}

TEST_F(InstallSequence, ProgressClimbsByFourUpTo72ThenJumpsTo100) {
    form.cmdInstall_Click();
    auto progress = expected_progress(19);
    progress.push_back(100.0f);
    EXPECT_EQ(view.progress_values, progress);
}

struct FailingStep {
    const char* name;
    std::function<void(TestMachine&)> break_it;
    std::string error_text;
    float progress_at_failure;
    std::size_t steps_run; // the failing one included
};

class FailingInstall : public InstallSequence, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(FailingInstall, StopsWithTheStepsErrorTextAndUnlocks) {
    GetParam().break_it(machine);
    form.cmdInstall_Click();
    EXPECT_EQ(view.status(), GetParam().error_text);
    EXPECT_EQ(view.progress_value, GetParam().progress_at_failure);
    EXPECT_EQ(machine.pause.pauses.size(), GetParam().steps_run);
    ASSERT_EQ(machine.messages.shown.size(), 1u) << "one box, from the window alone";
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].icon, MessageIcon::critical);
    EXPECT_FALSE(machine.messages.shown[0].text.empty());
    expect_idle_again();
    if (GetParam().steps_run < 20) {
        EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\morvane.cfg"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingInstall,
    ::testing::Values(
        FailingStep{"FirstStep", [](TestMachine& m) { m.location.folder = "D:\\Nowhere\\Kit"; },
                    "Error creating autoexec.sas ...", 0.0f, 1},
        FailingStep{"MiddleStep",
                    [](TestMachine& m) {
                        m.make_folders("D:\\Tools\\Kit\\saspgm");
                        m.write("D:\\Tools\\Kit\\saspgm\\difftest.sas", "old");
                        m.set_read_only("D:\\Tools\\Kit\\saspgm\\difftest.sas", true);
                    },
                    "Error creating difftest.sas ...", 20.0f, 6},
        FailingStep{"Shortcuts",
                    [](TestMachine& m) { m.shell.folders.erase(SpecialFolder::desktop); },
                    "Error creating desktop shortcut ...", 68.0f, 18},
        FailingStep{"ConfigSas", [](TestMachine& m) { m.set_read_only(sas_config, true); },
                    "Error configing SAS System ...", 72.0f, 19},
        FailingStep{"ToolConfig",
                    [](TestMachine& m) {
                        m.write("D:\\Tools\\Kit\\morvane.cfg", "old");
                        m.set_read_only("D:\\Tools\\Kit\\morvane.cfg", true);
                    },
                    "Error configing SAS System ...", 72.0f, 20}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InstallSequence, FailedToolConfigKeepsTheSasConfigUpdate) {
    machine.write("D:\\Tools\\Kit\\morvane.cfg", "old");
    machine.set_read_only("D:\\Tools\\Kit\\morvane.cfg", true);
    form.cmdInstall_Click();
    EXPECT_NE(machine.read(sas_config).find("D:\\Tools\\Kit\\saspgm"), std::string::npos);
}

TEST_F(InstallSequence, RunAfterAFailedRunStartsAgainAtZero) {
    machine.set_read_only(sas_config, true);
    form.cmdInstall_Click();
    machine.set_read_only(sas_config, false);
    view.progress_values.clear();
    view.statuses.clear();
    form.cmdInstall_Click();
    EXPECT_EQ(view.progress_values.front(), 0.0f);
    EXPECT_EQ(view.statuses.front(), "Creating autoexec.sas ...");
    EXPECT_EQ(view.status(), "Installation completed.");
    EXPECT_TRUE(view.unloaded);
}

TEST_F(InstallSequence, OnlyTheChosenVersionsCatalogIsRemoved) {
    FakeRegistry registry;
    registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    registry.set_string(sas_key + "9.1\\Setup\\Globals", "szSASUser", "C:\\Users\\ana\\sasuser");
    registry.set_string(sas_key + "8\\Setup\\Globals", "szSASUser", "C:\\Users\\ana\\sas8user");
    const std::string sas8_catalog = "C:\\Users\\ana\\sas8user\\cdisc.sas7bcat";
    machine.make_folders("C:\\Users\\ana\\sas8user");
    machine.write(sas8_catalog, "other version");
    frmMain with_two(machine.platform, view, read_installation_record(registry));
    with_two.cmdInstall_Click();
    EXPECT_FALSE(machine.exists(catalog));
    EXPECT_TRUE(machine.exists(sas8_catalog));
}

TEST_F(InstallSequence, EmptySasuserFolderDeletesNothingAtTheDriveRoot) {
    FakeRegistry registry;
    registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    machine.write("\\cdisc.sas7bcat", "not ours");
    frmMain without_sasuser(machine.platform, view, read_installation_record(registry));
    without_sasuser.cmdInstall_Click();
    EXPECT_TRUE(machine.exists("\\cdisc.sas7bcat"));
    EXPECT_EQ(view.status(), "Installation completed.");
}

TEST_F(InstallSequence, CatalogThatCannotBeDeletedStopsBeforeAnyStep) {
    machine.set_read_only(catalog, true);
    form.cmdInstall_Click();
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].icon, MessageIcon::critical);
    EXPECT_EQ(machine.messages.shown[0].text, "Permission denied");
    EXPECT_EQ(view.status(), "Error deleting cdisc.sas7bcat ...");
    EXPECT_TRUE(machine.pause.pauses.empty());
    EXPECT_FALSE(machine.exists("D:\\Tools\\Kit\\saspgm"));
    expect_idle_again();
}

// The SASUSER folder is its user's: what is planted under the catalog's name stays, and
// so does what it names.
TEST_F(InstallSequence, CatalogThatIsNotAPlainFileIsLeftInPlaceAndTheRunGoesOn) {
    namespace fs = std::filesystem;
    const std::string victim = "C:\\Windows\\system.ini";
    machine.make_folders("C:\\Windows");
    machine.write(victim, "[drivers]\r\n");
    std::string not_made_here;
    for (const auto& [planted, plant] : std::vector<std::pair<std::string, std::function<bool()>>>{
             {"a link", [&] { return machine.plant_link(catalog, victim, false); }},
             {"a second name", [&] { return machine.plant_link(catalog, victim, true); }},
             {"a folder",
              [&] { return fs::create_directory(machine.files.host_path(catalog)); }}}) {
        fs::remove(machine.files.host_path(catalog));
        if (!plant()) {
            not_made_here += " " + planted;
            continue;
        }
        view.statuses.clear();
        frmMain run(machine.platform, view, record_with_sas91());
        run.cmdInstall_Click();
        EXPECT_EQ(view.status(), "Installation completed.") << planted;
        EXPECT_NE(std::find(view.statuses.begin(), view.statuses.end(),
                            catalog + " is not a plain file: left in place"),
                  view.statuses.end())
            << planted;
        EXPECT_TRUE(fs::exists(fs::symlink_status(machine.files.host_path(catalog)))) << planted;
        EXPECT_EQ(machine.read(victim), "[drivers]\r\n") << planted;
    }
    if (!not_made_here.empty())
        GTEST_SKIP() << "cannot make here:" << not_made_here;
}

TEST_F(InstallSequence, WindowIsLockedWhileStepsRun) {
    bool locked = false;
    view.button_enabled[CommandButton::cmdInstall] = true;
    machine.shell.save_failure = PlatformError{PlatformError::Kind::other, "busy"};
    machine.messages.on_show = [&] {
        locked = form.installing() && view.busy && !view.button_enabled[CommandButton::cmdExit];
    };
    form.cmdInstall_Click();
    EXPECT_TRUE(locked);
    form.Form_KeyDown(key_escape, 0);
    EXPECT_TRUE(view.unloaded) << "Escape works again after the failed run";
}

TEST(JournalingFileSystem, AFileIsRecordedOnceWithTheHashOfAllItsLatestBytes) {
    TestMachine machine;
    machine.prepare_program_folder();
    SetupJournal journal(machine.files, machine.hashing, "D:\\Tools\\Kit\\morvane-setup.ini",
                         "sas9");
    JournalingFileSystem files(machine.files, journal);
    const std::string path = "D:\\Tools\\Kit\\a.cfg";
    ASSERT_FALSE(files.write_file(path, "-SET X 1\r\n"));
    ASSERT_FALSE(files.write_file_parts(path, {"-SET ", "X 2\r\n"}));
    ASSERT_EQ(journal.record().files_written.size(), 1u);
    EXPECT_EQ(journal.record().files_written[0].sha256, sha256_of("-SET X 2\r\n"));
}

TEST(NewerReleaseInstall, Sas94IsSetUpThroughItsRootConfiguration) {
    TestMachine machine;
    machine.prepare_program_folder();
    const std::string root = "C:\\Program Files\\SASHome\\SASFoundation\\9.4";
    machine.make_folders(root + "\\nls\\en");
    machine.write(root + "\\SASV9.CFG", "-CONFIG \"!SASROOT\\nls\\en\\SASV9.CFG\"\r\n");
    machine.write(root + "\\nls\\en\\SASV9.CFG",
                  "-SET SASAUTOS (\r\n  \"!SASROOT\\core\"\r\n)\r\n");
    machine.write("\\cdisc.sas7bcat", "not ours");
    machine.registry.set_string(sas_key + "9.2", "DefaultRoot", "C:\\SAS\\V92");
    machine.registry.set_string(sas_key + "9.4", "DefaultRoot", root);
    FakeWindowView view;
    const auto form = Main(machine.platform, view);
    ASSERT_TRUE(form);
    form->Form_KeyDown(key_enter, 0);
    EXPECT_EQ(view.status(), "Installation completed.");
    EXPECT_NE(machine.read(root + "\\nls\\en\\SASV9.CFG").find("\"D:\\Tools\\Kit\\saspgm\""),
              std::string::npos);
    EXPECT_TRUE(machine.exists("\\cdisc.sas7bcat")) << "no SASUSER folder, no catalog removed";
    ASSERT_EQ(machine.shell.saved.size(), 2u);
    EXPECT_EQ(machine.shell.saved[1].target_path, root + "\\sas.exe");
    EXPECT_EQ(machine.shell.saved[1].arguments,
              " -CONFIG \"" + root + "\\SASV9.CFG\" -CONFIG \"D:\\Tools\\Kit\\morvane.cfg\"");
}

} // namespace
} // namespace morvane::testing
