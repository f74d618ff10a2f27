#include "app/frmMain.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

struct LoadCase {
    const char* name;
    bool sas8, sas91, sas92;
    bool enabled8, enabled91, enabled92;
    std::optional<OptionButton> selected; // nothing: no option to select at all
    bool install_enabled;
};

InstallationRecord record_of(bool sas8, bool sas91, bool sas92) {
    InstallationRecord record;
    record.sas8_exe = sas8 ? "C:\\SAS\\V8\\sas.exe" : missing_sas_exe;
    record.sas91_exe = sas91 ? "C:\\SAS\\V91\\sas.exe" : missing_sas_exe;
    record.sas92_exe = sas92 ? "C:\\SAS\\V92\\sas.exe" : missing_sas_exe;
    return record;
}

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, EnableAndSelectTheInstalledVersions) {
    TestMachine machine;
    FakeWindowView view;
    frmMain form(machine.platform, view,
                 record_of(GetParam().sas8, GetParam().sas91, GetParam().sas92));
    form.Form_Load();
    EXPECT_EQ(view.option_enabled[OptionButton::optSas8], GetParam().enabled8);
    EXPECT_EQ(view.option_enabled[OptionButton::optSas9], GetParam().enabled91);
    EXPECT_EQ(view.option_enabled[OptionButton::optSas92], GetParam().enabled92);
    if (GetParam().selected) {
        EXPECT_EQ(view.selected, *GetParam().selected);
    }
    EXPECT_TRUE(view.option_enabled[view.selected] || !GetParam().install_enabled)
        << "a disabled option is never left selected while Install works";
    EXPECT_EQ(view.button_enabled[CommandButton::cmdInstall], GetParam().install_enabled);
    EXPECT_FALSE(form.installing());
}

INSTANTIATE_TEST_SUITE_P(
    Installations, LoadRules,
    ::testing::Values(
        LoadCase{"None", false, false, false, false, false, false, std::nullopt, false},
        LoadCase{"Only8", true, false, false, true, false, false, OptionButton::optSas8, true},
        LoadCase{"Sas8And91", true, true, false, true, true, false, OptionButton::optSas9, true},
        LoadCase{"Only91", false, true, false, false, true, false, OptionButton::optSas9, true},
        LoadCase{"Only92", false, false, true, false, false, true, OptionButton::optSas92, true},
        LoadCase{"All", true, true, true, true, true, true, OptionButton::optSas92, true}),
    [](const auto& info) { return std::string(info.param.name); });

class WindowKeys : public ::testing::Test {
  protected:
    TestMachine machine;
    FakeWindowView view;
};

TEST_F(WindowKeys, EscapeAndExitUnloadEvenWithNoSas) {
    frmMain form(machine.platform, view, record_of(false, false, false));
    form.Form_Load();
    form.Form_KeyDown(key_escape, 0);
    EXPECT_TRUE(view.unloaded);
    view.unloaded = false;
    form.cmdExit_Click();
    EXPECT_TRUE(view.unloaded);
}

TEST_F(WindowKeys, EnterDoesNothingWhileInstallIsDisabled) {
    frmMain form(machine.platform, view, record_of(false, false, false));
    form.Form_Load();
    form.Form_KeyDown(key_enter, 0);
    EXPECT_TRUE(view.statuses.empty());
    EXPECT_TRUE(machine.pause.pauses.empty());
}

TEST_F(WindowKeys, EnterStartsTheInstallAndOtherKeysDoNothing) {
    frmMain form(machine.platform, view, record_with_sas91());
    form.Form_Load();
    form.Form_KeyDown('A', 0);
    form.Form_KeyDown(key_enter, 1);
    ASSERT_FALSE(view.statuses.empty());
    EXPECT_EQ(view.statuses.front(), "Creating autoexec.sas ...");
}

TEST_F(WindowKeys, EscapeAndEnterAreIgnoredWhileInstalling) {
    frmMain form(machine.platform, view, record_with_sas91());
    form.Form_Load();
    // The first step's failure box appears while the run still holds the window.
    machine.location.folder = "D:\\Nowhere";
    machine.messages.on_show = [&] {
        ASSERT_TRUE(form.installing());
        const auto statuses = view.statuses.size();
        form.Form_KeyDown(key_escape, 0);
        form.Form_KeyDown(key_enter, 0);
        EXPECT_FALSE(view.unloaded);
        EXPECT_EQ(view.statuses.size(), statuses);
    };
    form.cmdInstall_Click();
    EXPECT_EQ(machine.messages.shown.size(), 1u);
}

} // namespace
} // namespace morvane::testing
