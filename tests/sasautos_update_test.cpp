#include "integration/sasautos_update.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

constexpr std::string_view kit = "D:\\Tools\\Kit\\saspgm";
const std::string entry = std::string(16, ' ') + "\"D:\\Tools\\Kit\\saspgm\"";

const std::string stock_file = "-SET SASAUTOS (\r\n"
                               "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                               "        \"C:\\SAS\\V91\\base\\sasmacro\"\r\n"
                               "        )\r\n";

TEST(SasautosUpdate, StockLayoutGetsTheEntryFirstAndOneEmptyLineAtTheEnd) {
    const auto updated = add_to_sasautos(stock_file, kit);
    ASSERT_TRUE(updated);
    EXPECT_EQ(*updated, "-SET SASAUTOS (\r\n" + entry +
                            "\r\n"
                            "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                            "        \"C:\\SAS\\V91\\base\\sasmacro\"\r\n"
                            "        )\r\n"
                            "\r\n");
    EXPECT_FALSE(add_to_sasautos(*updated, kit)) << "a second run must change nothing";
}

struct UnchangedCase {
    const char* name;
    std::string content;
};

class LeftUnchanged : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(LeftUnchanged, NothingToWrite) {
    EXPECT_FALSE(add_to_sasautos(GetParam().content, kit));
}

INSTANTIATE_TEST_SUITE_P(
    SasautosUpdate, LeftUnchanged,
    ::testing::Values(
        UnchangedCase{"EmptyFile", ""},
        UnchangedCase{"NoSetting", "-memsize 0\r\n-SET MYSASFILES \"C:\\x\"\r\n"},
        UnchangedCase{
            "ListedInOtherCaseWithBackslash",
            "-SET SASAUTOS (\r\n  \"d:\\tools\\KIT\\SASPGM\\\"\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n"},
        UnchangedCase{"ListedUnquoted", "-set sasautos ( D:\\Tools\\Kit\\saspgm \"x\" )\r\n"},
        UnchangedCase{"IndentedSettingIsNotASetting", "  -SET SASAUTOS (\r\n  \"x\"\r\n)\r\n"},
        UnchangedCase{"ValueIsNotAList", "-SET SASAUTOS \"!SASROOT\\core\\sasmacro\"\r\n"},
        UnchangedCase{"ListNeverClosed", "-SET SASAUTOS (\r\n  \"x\"\r\n"},
        UnchangedCase{
            "ListedAfterAnEntryWithParentheses",
            "-SET SASAUTOS (\r\n \"C:\\Program Files (x86)\\SAS\\core\\sasmacro\"\r\n \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n"},
        UnchangedCase{"ListedAfterACommentWithParentheses",
                      "-SET SASAUTOS ( /* (old) ) */\r\n \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct InsertionCase {
    const char* name;
    std::string content;
    std::string expected;
};

class Inserted : public ::testing::TestWithParam<InsertionCase> {};

TEST_P(Inserted, EntryGoesRightAfterTheOpeningParenthesisOnce) {
    const auto updated = add_to_sasautos(GetParam().content, kit);
    ASSERT_TRUE(updated);
    EXPECT_EQ(*updated, GetParam().expected);
    EXPECT_FALSE(add_to_sasautos(*updated, kit)) << "a second run must change nothing";
}

INSTANTIATE_TEST_SUITE_P(
    SasautosUpdate, Inserted,
    ::testing::Values(
        InsertionCase{"LowerCaseSetting", "-set sasautos (\r\n\"x\"\r\n)\r\n",
                      "-set sasautos (\r\n" + entry + "\r\n\"x\"\r\n)\r\n\r\n"},
        InsertionCase{"SettingOnOneLineKeepsEntriesApart",
                      "-SET SASAUTOS (\"!SASROOT\\core\\sasmacro\")\r\n",
                      "-SET SASAUTOS (\r\n" + entry + " \"!SASROOT\\core\\sasmacro\")\r\n\r\n"},
        InsertionCase{"SettingOnOneLineWithBlankAfterParenthesis", "-SET SASAUTOS ( \"a\" )\r\n",
                      "-SET SASAUTOS (\r\n" + entry + " \"a\" )\r\n\r\n"},
        InsertionCase{"ListOpenedOnTheNextLine", "-SET SASAUTOS\r\n\r\n  (\r\n  \"a\"\r\n  )\r\n",
                      "-SET SASAUTOS\r\n\r\n  (\r\n" + entry + "\r\n  \"a\"\r\n  )\r\n\r\n"},
        InsertionCase{
            "ParenthesesInsideAnEntry",
            "-SET SASAUTOS (\r\n \"C:\\Program Files (x86)\\SAS\\core\\sasmacro\"\r\n)\r\n",
            "-SET SASAUTOS (\r\n" + entry +
                "\r\n \"C:\\Program Files (x86)\\SAS\\core\\sasmacro\"\r\n)\r\n\r\n"},
        InsertionCase{"LongerFolderStartingWithTheMacroFolderDoesNotCount",
                      "-SET SASAUTOS (\r\n\"D:\\Tools\\Kit\\saspgm2\"\r\n)\r\n",
                      "-SET SASAUTOS (\r\n" + entry +
                          "\r\n\"D:\\Tools\\Kit\\saspgm2\"\r\n)\r\n\r\n"},
        InsertionCase{"FolderNamedOutsideTheList",
                      "-SET X \"D:\\Tools\\Kit\\saspgm\"\r\n-SET SASAUTOS (\r\n)\r\n",
                      "-SET X \"D:\\Tools\\Kit\\saspgm\"\r\n-SET SASAUTOS (\r\n" + entry +
                          "\r\n)\r\n\r\n"},
        InsertionCase{"LfAndCrEndingsBecomeCrLf", "-memsize 0\n-SET SASAUTOS (\r\"a\"\n)",
                      "-memsize 0\r\n-SET SASAUTOS (\r\n" + entry + "\r\n\"a\"\r\n)\r\n\r\n"},
        InsertionCase{"EverySettingGetsItOnce",
                      "-SET SASAUTOS (\"a\")\r\n-SET SASAUTOS (\r\n\"b\")\r\n",
                      "-SET SASAUTOS (\r\n" + entry + " \"a\")\r\n-SET SASAUTOS (\r\n" + entry +
                          "\r\n\"b\")\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SasautosUpdate, FolderWithAClosingParenthesisIsAddedOnlyOnce) {
    constexpr std::string_view odd_folder = "D:\\Kit (old)\\saspgm";
    const auto updated = add_to_sasautos(stock_file, odd_folder);
    ASSERT_TRUE(updated);
    EXPECT_NE(updated->find("(\r\n                \"D:\\Kit (old)\\saspgm\"\r\n"),
              std::string::npos);
    EXPECT_FALSE(add_to_sasautos(*updated, odd_folder));
}

} // namespace
} // namespace morvane::testing
