#include "integration/sasautos_undo.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

constexpr std::string_view kit = "D:\\Tools\\Kit\\saspgm";
const std::string entry = std::string(16, ' ') + "\"D:\\Tools\\Kit\\saspgm\"";

const std::string stock_91 = "/* SAS 9.1 configuration */\r\n"
                             "-SET SASAUTOS (\r\n"
                             "        \"!SASROOT\\core\\sasmacro\"\r\n"
                             "        \"!SASROOT\\base\\sasmacro\"\r\n"
                             "        )\r\n"
                             "-SET SASHELP (\r\n"
                             "        \"!SASCFG\\SASCFG\"\r\n"
                             "        )\r\n";

struct Layout {
    const char* name;
    std::string content;
};

class RoundTrip : public ::testing::TestWithParam<Layout> {};

TEST_P(RoundTrip, UndoGivesBackTheFileByteForByte) {
    const auto& original = GetParam().content;
    const auto plan = plan_sasautos_update(original, kit, entry);
    ASSERT_EQ(plan.outcome, SasautosOutcome::updated);
    const auto updated = add_to_sasautos(original, kit);
    ASSERT_TRUE(updated);
    const auto removal = remove_from_sasautos(*updated, kit, plan.change);
    EXPECT_EQ(removal.content, original);
    EXPECT_EQ(removal.entries_removed, plan.change.insertions.size());
}

INSTANTIATE_TEST_SUITE_P(
    SasautosUndo, RoundTrip,
    ::testing::Values(
        Layout{"Stock91", stock_91},
        Layout{"Stock8", "-SET SASAUTOS (\r\n        \"!SASROOT\\core\\sasmacro\"\r\n        "
                         ")\r\n-MEMSIZE 32M\r\n"},
        Layout{"TwoSettings",
               "-SET SASAUTOS (\"a\")\r\n-MEMSIZE 0\r\n-SET SASAUTOS (\r\n \"b\"\r\n)\r\n"},
        Layout{"TwoSettingsOnOneLine", "-SET SASAUTOS (a) -SET SASAUTOS ( b)\r\n"},
        Layout{"ListOnTheNextLine", "-SET SASAUTOS\r\n\r\n  (\r\n  \"a\"\r\n  )\r\n"},
        Layout{"Comments", "-SET SASAUTOS ( /* first (core) ) */\r\n  \"!SASROOT\\core\\sasmacro\" "
                           "/* base */\r\n)\r\n"},
        Layout{"CommentedOutOldSetting", "/*\r\n-SET SASAUTOS (\"old\")\r\n*/\r\n"
                                         "-SET SASAUTOS /* x */ (\"new\")\r\n"},
        Layout{"Tabs", "\t-SET\tSASAUTOS\t(\t\r\n\t\"!SASROOT\\core\\sasmacro\"\r\n\t)\r\n"},
        Layout{"SeveralEntriesOnOneLine", "-SET SASAUTOS (\"a\" \"b\" 'c', \"d\")\r\n"},
        Layout{"ParenthesesInPaths",
               "-SET SASAUTOS (\"C:\\Program Files (x86)\\SAS\" \"(b)\")\r\n"},
        Layout{"BlankLineAfterTheParenthesis", "-SET SASAUTOS (\r\n\r\n   \"a\"\r\n   )\r\n"},
        Layout{"ByteOrderMarkAndEmptyLineAtTheEnd", "\xEF\xBB\xBF-SET SASAUTOS ( \"a\" )\r\n\r\n"},
        Layout{"LfLineEnds", "-SET SASAUTOS (\n  \"!SASROOT\\core\\sasmacro\"\n)\n-MEMSIZE 0\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EditCase {
    const char* name;
    std::string original;
    std::string (*edit)(std::string updated); // what someone did after the update
    std::string expected;                     // after the undo
    std::size_t entries_removed;
};

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

class EditedSinceUpdate : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditedSinceUpdate, OnlyTheEntryGoes) {
    const auto& edit = GetParam();
    const auto plan = plan_sasautos_update(edit.original, kit, entry);
    const auto edited = edit.edit(*add_to_sasautos(edit.original, kit));
    const auto removal = remove_from_sasautos(edited, kit, plan.change);
    EXPECT_EQ(removal.content, edit.expected);
    EXPECT_EQ(removal.entries_removed, edit.entries_removed);
    EXPECT_EQ(remove_from_sasautos(removal.content, kit, plan.change).entries_removed, 0u)
        << "a second undo finds nothing";
}

INSTANTIATE_TEST_SUITE_P(
    SasautosUndo, EditedSinceUpdate,
    ::testing::Values(
        EditCase{"LineAddedElsewhere", stock_91,
                 [](std::string text) { return "-MEMSIZE 64M\r\n" + text; },
                 "-MEMSIZE 64M\r\n" + stock_91, 1},
        EditCase{"EntryAddedAfterOurs", stock_91,
                 [](std::string text) {
                     return replaced(text, entry + "\r\n", entry + "\r\n \"C:\\new\"\r\n");
                 },
                 replaced(stock_91, "(\r\n", "(\r\n \"C:\\new\"\r\n"), 1},
        EditCase{"EntryAddedBeforeOurs", "-SET SASAUTOS (\"a\")\r\n",
                 [](std::string text) { return replaced(text, "(\r\n", "(\r\n \"C:\\new\"\r\n"); },
                 "-SET SASAUTOS (\r\n \"C:\\new\"\r\n\"a\")\r\n", 1},
        EditCase{"EntryAddedOnTheMovedText", "-SET SASAUTOS (\"a\")\r\n",
                 [](std::string text) { return replaced(text, "\"a\")", "\"a\" \"b\")"); },
                 "-SET SASAUTOS (\"a\" \"b\")\r\n", 1},
        EditCase{"EntryRemovedByHandFromTheFirstList",
                 "-SET SASAUTOS (\"a\")\r\n-SET SASAUTOS (\"b\")\r\n",
                 [](std::string text) { return replaced(text, entry + " \"a\"", "\"a\""); },
                 "-SET SASAUTOS (\r\n\"a\")\r\n-SET SASAUTOS (\"b\")\r\n", 1},
        EditCase{"EntryCommentedOut", stock_91,
                 [](std::string text) { return replaced(text, entry, "/*" + entry + "*/"); },
                 replaced(stock_91 + "\r\n", "(\r\n", "(\r\n/*" + entry + "*/\r\n"), 0},
        EditCase{"ListAddedAboveOurs", "-SET SASAUTOS (\"a\")\r\n",
                 [](std::string text) { return "-SET SASAUTOS (\"x\")\r\n" + text; },
                 "-SET SASAUTOS (\"x\")\r\n-SET SASAUTOS (\"a\")\r\n", 1},
        EditCase{"ListAboveOursCommentedOut",
                 "-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\")\r\n-SET SASAUTOS (\"a\")\r\n",
                 [](std::string text) { return "/*" + replaced(text, ")\r\n", ")*/\r\n"); },
                 "/*-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\")*/\r\n-SET SASAUTOS (\"a\")\r\n", 1},
        // With a list above and a copy of ours below, nothing tells which one is ours.
        EditCase{"ListAddedAboveOursAndOursCopiedBelow", "-SET SASAUTOS (\"a\")\r\n",
                 [](std::string text) {
                     return "-SET SASAUTOS (\"x\")\r\n" + text + text.substr(0, text.size() - 2);
                 },
                 "-SET SASAUTOS (\"x\")\r\n-SET SASAUTOS (\r\n" + entry +
                     " \"a\")\r\n\r\n-SET SASAUTOS (\r\n" + entry + " \"a\")\r\n",
                 0},
        EditCase{"FinalEmptyLineRemovedByHand", stock_91,
                 [](std::string text) { return text.substr(0, text.size() - 2); }, stock_91, 1},
        // The last line gets the line end it lacked, in the file's own kind.
        EditCase{"LfLineEndsAndNoneAfterTheLastLine", "-SET SASAUTOS (\n\"a\"\n)",
                 [](std::string text) { return text; }, "-SET SASAUTOS (\n\"a\"\n)\n", 1},
        EditCase{"CrLfLineEndsAndNoneAfterTheLastLine", "-SET SASAUTOS (\r\n\"a\"\r\n)",
                 [](std::string text) { return text; }, "-SET SASAUTOS (\r\n\"a\"\r\n)\r\n", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SasautosUndo, AFolderListedBeforeTheUpdateStaysListed) {
    const std::string listed = "-SET SASAUTOS (\r\n" + entry + "\r\n)\r\n";
    // The second list's entry line is followed by the same text as the first one's.
    const std::string original = listed + "-SET SASAUTOS (\r\n\"a\")\r\n";
    const auto plan = plan_sasautos_update(original, kit, entry);
    ASSERT_EQ(plan.change.insertions.size(), 1u);
    const auto removal = remove_from_sasautos(*add_to_sasautos(original, kit), kit, plan.change);
    EXPECT_EQ(removal.content, original);

    const auto nothing_recorded = remove_from_sasautos(listed, kit, SasautosChange{});
    EXPECT_EQ(nothing_recorded.content, listed);
    EXPECT_EQ(nothing_recorded.entries_removed, 0u);
}

} // namespace
} // namespace morvane::testing
