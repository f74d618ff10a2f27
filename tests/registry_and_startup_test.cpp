#include "app/read_registry_string.hpp"
#include "app/startup.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

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
    EXPECT_EQ(r.sas8_exe, "\\sas.exe");
    EXPECT_EQ(r.sas91_exe, "\\sas.exe");
    EXPECT_EQ(r.sas92_exe, "\\sas.exe");
    EXPECT_EQ(r.sas91_user_catalog, "\\cdisc.sas7bcat");
    EXPECT_EQ(r.all_users, "");
    EXPECT_TRUE(view.shown);
    EXPECT_FALSE(view.button_enabled[CommandButton::cmdInstall]);
}

TEST(Startup, AllThreeVersionsFillEveryField) {
    TestMachine machine;
    machine.registry.set_string(sas8, "DefaultRoot", "C:\\SAS\\V8");
    machine.registry.set_string(sas91, "DefaultRoot", "C:\\SAS\\V91");
    machine.registry.set_string(sas92, "DefaultRoot", "C:\\SAS\\V92");
    machine.registry.set_string(sas8 + "\\Setup\\Globals", "szSASUser", "U:\\s8");
    machine.registry.set_string(sas91 + "\\Setup\\Globals", "szSASUser", "U:\\s91");
    machine.registry.set_string(sas92 + "\\Setup\\Globals", "szSASUser", "U:\\s92");
    machine.registry.set_string(product, "AllUsers", "1");
    FakeWindowView view;
    const auto form = Main(machine.platform, view);
    ASSERT_TRUE(form);
    const auto& r = form->record();
    EXPECT_EQ(r.sas8_key, sas8);
    EXPECT_EQ(r.sas91_key, sas91);
    EXPECT_EQ(r.sas92_key, sas92);
    EXPECT_EQ(r.sas91_globals_key, sas91 + "\\Setup\\Globals");
    EXPECT_EQ(r.product_key, product);
    EXPECT_EQ(r.reg_value_name, "AllUsers");
    EXPECT_EQ(r.sasuser_value_name, "szSASUser");
    EXPECT_EQ(r.sas_exe_name, "\\sas.exe");
    EXPECT_EQ(r.catalog_file_name, "\\cdisc.sas7bcat");
    EXPECT_EQ(r.sas8_root, "C:\\SAS\\V8");
    EXPECT_EQ(r.sas8_exe, "C:\\SAS\\V8\\sas.exe");
    EXPECT_EQ(r.sas91_exe, "C:\\SAS\\V91\\sas.exe");
    EXPECT_EQ(r.sas92_exe, "C:\\SAS\\V92\\sas.exe");
    EXPECT_EQ(r.sas8_user_catalog, "U:\\s8\\cdisc.sas7bcat");
    EXPECT_EQ(r.sas91_user_catalog, "U:\\s91\\cdisc.sas7bcat");
    EXPECT_EQ(r.sas92_user_catalog, "U:\\s92\\cdisc.sas7bcat");
    EXPECT_EQ(r.all_users, "1");
}

TEST(Startup, OddValuesCountAsMissing) {
    TestMachine machine;
    machine.registry.set(sas8, "DefaultRoot", {RegistryValueType::expandable_string, "%ROOT%"});
    machine.registry.set(sas91, "DefaultRoot", {RegistryValueType::string, "C:\\SAS\\V91"});
    FakeWindowView view;
    const auto form = Main(machine.platform, view);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->record().sas8_exe, "\\sas.exe");
    EXPECT_EQ(form->record().sas91_exe, "C:\\SAS\\V91\\sas.exe");
    EXPECT_EQ(form->record().sas91_user_catalog, "\\cdisc.sas7bcat");
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
