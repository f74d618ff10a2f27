#include "app/window/frmMain.hpp"
#include "app/window/startup.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

// A record with the releases of the given version keys installed in C:\SAS\<key>.
InstallationRecord record_of(const std::vector<std::string>& installed) {
    FakeRegistry registry;
    for (const auto& version_key : installed) {
        const auto* release = release_with_version_key(version_key);
        registry.set_string(std::string(release->registry_key), "DefaultRoot",
                            "C:\\SAS\\" + version_key);
    }
    return read_installation_record(registry);
}

struct LoadCase {
    const char* name;
    std::vector<std::string> installed;
    // The options from the top, with whether each is enabled.
    std::vector<std::pair<std::string, bool>> options;
    std::optional<int> selected; // nothing: no option to select at all
};

class LoadRules : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRules, ListTheReleasesAndSelectTheNewestInstalled) {
    TestMachine machine;
    FakeWindowView view;
    frmMain form(machine.platform, view, record_of(GetParam().installed));
    form.Form_Load();
    std::vector<std::pair<std::string, bool>> options;
    for (std::size_t place = 0; place < view.options.size(); ++place)
        options.emplace_back(view.options[place], view.option_enabled[static_cast<int>(place)]);
    EXPECT_EQ(options, GetParam().options);
    const bool install_enabled = GetParam().selected.has_value();
    if (install_enabled) {
        EXPECT_EQ(view.selected, *GetParam().selected);
    }
    EXPECT_EQ(view.button_enabled[CommandButton::cmdInstall], install_enabled);
    EXPECT_FALSE(form.installing());
}

const std::string v8 = "SAS System version 8";
const std::string v91 = "SAS System version 9.1";
const std::string v92 = "SAS System version 9.2";
const std::string v93 = "SAS System version 9.3";
const std::string v94 = "SAS System version 9.4";

INSTANTIATE_TEST_SUITE_P(
    Installations, LoadRules,
    ::testing::Values(
        LoadCase{"None", {}, {{v8, false}, {v91, false}, {v92, false}}, std::nullopt},
        LoadCase{"Only8", {"sas8"}, {{v8, true}, {v91, false}, {v92, false}}, 0},
        LoadCase{"Sas8And91", {"sas8", "sas9"}, {{v8, true}, {v91, true}, {v92, false}}, 1},
        LoadCase{"Only91", {"sas9"}, {{v8, false}, {v91, true}, {v92, false}}, 1},
        LoadCase{"Only92", {"sas92"}, {{v8, false}, {v91, false}, {v92, true}}, 2},
        LoadCase{"All", {"sas8", "sas9", "sas92"}, {{v8, true}, {v91, true}, {v92, true}}, 2},
        LoadCase{"Sas92And94",
                 {"sas92", "sas94"},
                 {{v8, false}, {v91, false}, {v92, true}, {v94, true}},
                 3},
        LoadCase{"Only93", {"sas93"}, {{v8, false}, {v91, false}, {v92, false}, {v93, true}}, 3},
        LoadCase{"Sas91And93And94",
                 {"sas9", "sas93", "sas94"},
                 {{v8, false}, {v91, true}, {v92, false}, {v93, true}, {v94, true}},
                 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Preselection, OnlyAnInstalledReleaseCanBeChosen) {
    TestMachine machine;
    FakeWindowView view;
    frmMain form(machine.platform, view, record_of({"sas9", "sas94"}));
    form.Form_Load();
    EXPECT_TRUE(form.preselect(*release_with_version_key("sas9")));
    EXPECT_EQ(view.selected, OptionButton::optSas9);
    EXPECT_FALSE(form.preselect(*release_with_version_key("sas92")));
    EXPECT_FALSE(form.preselect(*release_with_version_key("sas93")));
    EXPECT_EQ(view.selected, OptionButton::optSas9);
}

class WindowKeys : public ::testing::Test {
  protected:
    TestMachine machine;
    FakeWindowView view;
};

TEST_F(WindowKeys, EscapeExitAndTheCloseBoxUnloadEvenWithNoSas) {
    frmMain form(machine.platform, view, record_of({}));
    form.Form_Load();
    form.Form_KeyDown(key_escape, 0);
    EXPECT_TRUE(view.unloaded);
    view.unloaded = false;
    form.cmdExit_Click();
    EXPECT_TRUE(view.unloaded);
    view.unloaded = false;
    form.close_requested();
    EXPECT_TRUE(view.unloaded);
}

TEST_F(WindowKeys, EnterDoesNothingWhileInstallIsDisabled) {
    frmMain form(machine.platform, view, record_of({}));
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
        form.close_requested();
        EXPECT_FALSE(view.unloaded);
        EXPECT_EQ(view.statuses.size(), statuses);
    };
    form.cmdInstall_Click();
    EXPECT_EQ(machine.messages.shown.size(), 1u);
}

} // namespace
} // namespace morvane::testing
