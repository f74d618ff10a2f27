#include "app/window/read_registry_string.hpp"
#include "app/window/startup.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace morvane::testing {
namespace {

const std::string sas8 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8";
const std::string sas91 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
const std::string sas92 = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2";
const std::string product = "SOFTWARE\\Talmora\\Morvane";

struct ValueCase {
    const char* name;
    std::optional<RegistryValue> stored;
    std::optional<std::string> read;
};

class RegistryString : public ::testing::TestWithParam<ValueCase> {};

TEST_P(RegistryString, OnlyPlainStringsAreRead) {
    FakeRegistry registry;
    if (GetParam().stored)
        registry.set("K", "V", *GetParam().stored);
    EXPECT_EQ(read_registry_string(registry, "K", "V"), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryString,
    ::testing::Values(
        ValueCase{"Missing", std::nullopt, std::nullopt},
        ValueCase{"WithNul", RegistryValue{RegistryValueType::string, std::string("C:\\SAS\0", 7)},
                  "C:\\SAS"},
        ValueCase{"WithoutNul", RegistryValue{RegistryValueType::string, "C:\\SAS"}, "C:\\SAS"},
        ValueCase{"TextAfterNul",
                  RegistryValue{RegistryValueType::string, std::string("A\0B\0", 4)}, "A"},
        ValueCase{"Empty", RegistryValue{RegistryValueType::string, std::string("\0", 1)}, ""},
        ValueCase{"Expandable", RegistryValue{RegistryValueType::expandable_string, "%X%"},
                  std::nullopt},
        ValueCase{"MultiString", RegistryValue{RegistryValueType::multi_string, "a"}, std::nullopt},
        ValueCase{"Dword", RegistryValue{RegistryValueType::dword, "1"}, std::nullopt},
        ValueCase{"Binary", RegistryValue{RegistryValueType::binary, "x"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, NoSasAtAllStillOpensTheWindow) {
    TestMachine machine;
    FakeWindowView view;
    const auto form = Main(machine.platform, view);
    ASSERT_TRUE(form);
    const auto& r = form->record();
    ASSERT_EQ(r.sas.size(), sas_releases.size());
    for (const auto& sas : r.sas) {
        EXPECT_EQ(sas.exe, "\\sas.exe") << sas.key;
        EXPECT_EQ(sas.user_catalog, "\\cdisc.sas7bcat") << sas.key;
        EXPECT_FALSE(sas.installed()) << sas.key;
    }
    EXPECT_EQ(r.all_users, "");
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(view.button_enabled[CommandButton::cmdInstall]);
}

// Each named field of the record as start-up has always filled it, read back by name.
struct NamedField {
    const char* name;
    std::function<std::string(const InstallationRecord&)> read;
    std::string value;
};

std::function<std::string(const InstallationRecord&)> field(const char* version_key,
                                                            std::string SasInstallation::*member) {
    return [version_key, member](const InstallationRecord& r) {
        return r.with_version_key(version_key)->*member;
    };
}

TEST(Startup, EveryNamedFieldOfTheThreeClassicReleases) {
    FakeRegistry registry;
    registry.set_string(sas8, "DefaultRoot", "C:\\SAS\\V8");
    registry.set_string(sas91, "DefaultRoot", "C:\\SAS\\V91");
    registry.set_string(sas92, "DefaultRoot", "C:\\SAS\\V92");
    registry.set_string(sas8 + "\\Setup\\Globals", "szSASUser", "U:\\s8");
    registry.set_string(sas91 + "\\Setup\\Globals", "szSASUser", "U:\\s91");
    registry.set_string(sas92 + "\\Setup\\Globals", "szSASUser", "U:\\s92");
    registry.set_string(product, "AllUsers", "1");
    const auto r = read_installation_record(registry);
    const auto constant = [](std::string InstallationRecord::*member) {
        return [member](const InstallationRecord& record) { return record.*member; };
    };
    const NamedField fields[] = {
        {"sas8_key", field("sas8", &SasInstallation::key), sas8},
        {"sas91_key", field("sas9", &SasInstallation::key), sas91},
        {"sas92_key", field("sas92", &SasInstallation::key), sas92},
        {"sas8_globals_key", field("sas8", &SasInstallation::globals_key),
         sas8 + "\\Setup\\Globals"},
        {"sas91_globals_key", field("sas9", &SasInstallation::globals_key),
         sas91 + "\\Setup\\Globals"},
        {"sas92_globals_key", field("sas92", &SasInstallation::globals_key),
         sas92 + "\\Setup\\Globals"},
        {"product_key", constant(&InstallationRecord::product_key), product},
        {"reg_value_name", constant(&InstallationRecord::reg_value_name), "AllUsers"},
        {"sasuser_value_name", constant(&InstallationRecord::sasuser_value_name), "szSASUser"},
        {"sas_exe_name", constant(&InstallationRecord::sas_exe_name), "\\sas.exe"},
        {"catalog_file_name", constant(&InstallationRecord::catalog_file_name), "\\cdisc.sas7bcat"},
        {"sas8_root", field("sas8", &SasInstallation::root), "C:\\SAS\\V8"},
        {"sas91_root", field("sas9", &SasInstallation::root), "C:\\SAS\\V91"},
        {"sas92_root", field("sas92", &SasInstallation::root), "C:\\SAS\\V92"},
        {"sas8_exe", field("sas8", &SasInstallation::exe), "C:\\SAS\\V8\\sas.exe"},
        {"sas91_exe", field("sas9", &SasInstallation::exe), "C:\\SAS\\V91\\sas.exe"},
        {"sas92_exe", field("sas92", &SasInstallation::exe), "C:\\SAS\\V92\\sas.exe"},
        {"sas8_user_dir", field("sas8", &SasInstallation::user_dir), "U:\\s8"},
        {"sas91_user_dir", field("sas9", &SasInstallation::user_dir), "U:\\s91"},
        {"sas92_user_dir", field("sas92", &SasInstallation::user_dir), "U:\\s92"},
        {"sas8_user_catalog", field("sas8", &SasInstallation::user_catalog),
         "U:\\s8\\cdisc.sas7bcat"},
        {"sas91_user_catalog", field("sas9", &SasInstallation::user_catalog),
         "U:\\s91\\cdisc.sas7bcat"},
        {"sas92_user_catalog", field("sas92", &SasInstallation::user_catalog),
         "U:\\s92\\cdisc.sas7bcat"},
        {"all_users", constant(&InstallationRecord::all_users), "1"},
    };
    for (const auto& named : fields)
        EXPECT_EQ(named.read(r), named.value) << named.name;
}

TEST(Startup, NewerReleasesAreFoundWithOrWithoutASasuserFolder) {
    FakeRegistry registry;
    const std::string root94 = "C:\\Program Files\\SASHome\\SASFoundation\\9.4";
    registry.set_string(sas_key + "9.3", "DefaultRoot", "C:\\SAS\\9.3");
    registry.set_string(sas_key + "9.3\\Setup\\Globals", "szSASUser", "U:\\s93");
    registry.set_string(sas_key + "9.4", "DefaultRoot", root94);
    const auto r = read_installation_record(registry);
    EXPECT_EQ(r.with_version_key("sas93")->exe, "C:\\SAS\\9.3\\sas.exe");
    EXPECT_EQ(r.with_version_key("sas93")->user_catalog, "U:\\s93\\cdisc.sas7bcat");
    EXPECT_EQ(r.with_version_key("sas94")->exe, root94 + "\\sas.exe");
    EXPECT_EQ(r.with_version_key("sas94")->user_dir, "");
    EXPECT_EQ(r.newest_installed()->version_key, "sas94");
}

TEST(Startup, OddValuesCountAsMissing) {
    TestMachine machine;
    machine.registry.set(sas8, "DefaultRoot", {RegistryValueType::expandable_string, "%ROOT%"});
    machine.registry.set(sas91, "DefaultRoot", {RegistryValueType::string, "C:\\SAS\\V91"});
    FakeWindowView view;
    const auto form = Main(machine.platform, view);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->record().with_version_key("sas8")->exe, "\\sas.exe");
    EXPECT_EQ(form->record().with_version_key("sas9")->exe, "C:\\SAS\\V91\\sas.exe");
    EXPECT_EQ(form->record().with_version_key("sas9")->user_catalog, "\\cdisc.sas7bcat");
    EXPECT_EQ(view.selected, OptionButton::optSas9);
    EXPECT_FALSE(view.option_enabled[OptionButton::optSas8]);
}

TEST(Startup, RunTimeErrorEndsStartUpWithTheRegistryMessage) {
    TestMachine machine;
    machine.registry.fail_with_exception();
    FakeWindowView view;
    EXPECT_FALSE(Main(machine.platform, view));
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].text, "Can not read data from registry");
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
    EXPECT_EQ(machine.messages.shown[0].icon, MessageIcon::critical);
    EXPECT_FALSE(view.shown);
}

} // namespace
} // namespace morvane::testing
