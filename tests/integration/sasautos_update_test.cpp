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
        UnchangedCase{"ListedWithTwoFinalBackslashes",
                      "-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\\\\\")\r\n"},
        UnchangedCase{"ListedUnquoted", "-set sasautos ( D:\\Tools\\Kit\\saspgm \"x\" )\r\n"},
        UnchangedCase{"AnotherVariableStartingWithTheName", "-SET SASAUTOSX (\r\n\"x\"\r\n)\r\n"},
        UnchangedCase{"NameAndSetOnDifferentLines", "-SET\r\nSASAUTOS (\r\n\"x\"\r\n)\r\n"},
        UnchangedCase{"SettingInsideAComment", "/* -SET SASAUTOS (\r\n\"x\"\r\n) */\r\n"},
        UnchangedCase{"SettingInsideQuotes", "-SET MYTEXT \"-SET SASAUTOS (x)\"\r\n"},
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
        InsertionCase{"IndentedSetting", "   -SET SASAUTOS (\r\n\"x\"\r\n)\r\n",
                      "   -SET SASAUTOS (\r\n" + entry + "\r\n\"x\"\r\n)\r\n\r\n"},
        InsertionCase{"TabBetweenTheWords", "\t-SET\tSASAUTOS (\r\n)\r\n",
                      "\t-SET\tSASAUTOS (\r\n" + entry + "\r\n)\r\n\r\n"},
        InsertionCase{"TwoBlanksBetweenTheWords", "-Set  SasAutos (\r\n)\r\n",
                      "-Set  SasAutos (\r\n" + entry + "\r\n)\r\n\r\n"},
        InsertionCase{"CommentBeforeTheList", "-SET SASAUTOS /* x */ (\r\n)\r\n",
                      "-SET SASAUTOS /* x */ (\r\n" + entry + "\r\n)\r\n\r\n"},
        InsertionCase{"ByteOrderMarkBeforeTheSetting", "\xEF\xBB\xBF-SET SASAUTOS (\r\n)\r\n",
                      "\xEF\xBB\xBF-SET SASAUTOS (\r\n" + entry + "\r\n)\r\n\r\n"},
        InsertionCase{"OldSettingCommentedOutOnOneLine",
                      "/* -SET SASAUTOS (\"old\") */\r\n-SET SASAUTOS (\r\n)\r\n",
                      "/* -SET SASAUTOS (\"old\") */\r\n-SET SASAUTOS (\r\n" + entry +
                          "\r\n)\r\n\r\n"},
        InsertionCase{"OldSettingCommentedOutOverLines",
                      "/*\r\n-SET SASAUTOS (\r\n \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n*/\r\n"
                      "-SET SASAUTOS (\r\n)\r\n",
                      "/*\r\n-SET SASAUTOS (\r\n \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n*/\r\n"
                      "-SET SASAUTOS (\r\n" +
                          entry + "\r\n)\r\n\r\n"},
        InsertionCase{"FolderOnlyInACommentOfTheList",
                      "-SET SASAUTOS (\r\n/* \"D:\\Tools\\Kit\\saspgm\" */\r\n)\r\n",
                      "-SET SASAUTOS (\r\n" + entry +
                          "\r\n/* \"D:\\Tools\\Kit\\saspgm\" */\r\n)\r\n\r\n"},
        InsertionCase{"TwoSettingsOnOneLine", "-SET SASAUTOS (a) -SET SASAUTOS (b)\r\n",
                      "-SET SASAUTOS (\r\n" + entry + " a) -SET SASAUTOS (\r\n" + entry +
                          " b)\r\n\r\n"},
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

struct PlanCase {
    const char* name;
    std::string content;
    SasautosOutcome outcome;
    std::vector<SasautosInsertion> insertions;
    bool line_ends_rewritten = false;
};

class Planned : public ::testing::TestWithParam<PlanCase> {};

TEST_P(Planned, OutcomeAndChangeSayWhatTheUpdateDoes) {
    const auto& wanted = GetParam();
    const auto plan = plan_sasautos_update(wanted.content, kit, entry);
    EXPECT_EQ(plan.outcome, wanted.outcome);
    ASSERT_EQ(plan.change.insertions.size(), wanted.insertions.size());
    for (std::size_t i = 0; i < wanted.insertions.size(); ++i) {
        EXPECT_EQ(plan.change.insertions[i].setting, wanted.insertions[i].setting) << i;
        EXPECT_EQ(plan.change.insertions[i].moved, wanted.insertions[i].moved) << i;
        EXPECT_EQ(plan.change.insertions[i].blank_added, wanted.insertions[i].blank_added) << i;
    }
    const bool updated = wanted.outcome == SasautosOutcome::updated;
    EXPECT_EQ(plan.change.final_empty_line_added, updated);
    EXPECT_EQ(plan.change.line_ends_rewritten, wanted.line_ends_rewritten);
    EXPECT_EQ(plan.pieces.empty(), !updated);
}

INSTANTIATE_TEST_SUITE_P(
    SasautosUpdate, Planned,
    ::testing::Values(
        PlanCase{"NoSetting", "-memsize 0\r\n", SasautosOutcome::no_list, {}},
        PlanCase{"OnlySettingsWithoutAList",
                 "-SET SASAUTOS \"!SASROOT\\core\\sasmacro\"\r\n-SET SASAUTOS\r\n",
                 SasautosOutcome::no_list,
                 {}},
        PlanCase{
            "OnlyAListNeverClosed", "-SET SASAUTOS (\r\n\"a\"\r\n", SasautosOutcome::no_list, {}},
        PlanCase{
            "EveryListNamesTheFolder",
            "-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\")\r\n-SET SASAUTOS (D:\\TOOLS\\KIT\\SASPGM)\r\n",
            SasautosOutcome::already_listed,
            {}},
        PlanCase{"StockLayout", stock_file, SasautosOutcome::updated, {{0, "", false}}},
        // A last line without a line end gets CR LF: no line end of the file is rewritten.
        PlanCase{"OneListedOneNot",
                 "-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\")\r\n-SET SASAUTOS ( \"a\")",
                 SasautosOutcome::updated,
                 {{1, " \"a\")", false}},
                 false},
        PlanCase{"TwoListsOnOneLine",
                 "-SET SASAUTOS (a) -SET SASAUTOS (b)\n",
                 SasautosOutcome::updated,
                 {{0, "a) -SET SASAUTOS (", true}, {1, "b)", true}},
                 true},
        PlanCase{"OneLineNotEndedInCrLf",
                 "-SET SASAUTOS (\n)\r\n",
                 SasautosOutcome::updated,
                 {{0, "", false}},
                 true},
        PlanCase{"OnlyBlanksAfterTheParenthesis",
                 "-SET SASAUTOS (\t \r\n)\r\n",
                 SasautosOutcome::updated,
                 {{0, "\t ", false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SasautosUpdate, FolderWithAClosingParenthesisIsAddedOnlyOnce) {
    constexpr std::string_view odd_folder = "D:\\Kit (old)\\saspgm";
    const auto updated = add_to_sasautos(stock_file, odd_folder);
    ASSERT_TRUE(updated);
    EXPECT_NE(updated->find("(\r\n                \"D:\\Kit (old)\\saspgm\"\r\n"),
              std::string::npos);
    EXPECT_FALSE(add_to_sasautos(*updated, odd_folder));
    // A quote inside a quoted entry is doubled.
    EXPECT_FALSE(add_to_sasautos("-SET SASAUTOS ('D:\\O''Brien\\saspgm')", "D:\\O'Brien\\saspgm"));
}

} // namespace
} // namespace morvane::testing
