#include "integration/unified_diff.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

std::string numbered_lines(int count, std::string_view line_end) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text.append(std::to_string(i)).append(line_end);
    return text;
}

TEST(UnifiedDiff, SameLinesWithOtherLineEndsShowNothing) {
    EXPECT_EQ(unified_diff(numbered_lines(5, "\r\n"), numbered_lines(5, "\n"), "a", "b"), "");
}

TEST(UnifiedDiff, TheSasautosUpdateAsAdministratorsReadIt) {
    const std::string before = "-SET SASAUTOS (\r\n"
                               "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                               "        )\r\n";
    const std::string after = "-SET SASAUTOS (\r\n"
                              "                \"D:\\Tools\\Kit\\saspgm\"\r\n"
                              "        \"C:\\SAS\\V91\\core\\sasmacro\"\r\n"
                              "        )\r\n"
                              "\r\n";
    EXPECT_EQ(unified_diff(before, after, "SASV9.CFG", "SASV9.CFG (updated)"),
              "--- SASV9.CFG\n"
              "+++ SASV9.CFG (updated)\n"
              "@@ -1,3 +1,5 @@\n"
              " -SET SASAUTOS (\n"
              "+                \"D:\\Tools\\Kit\\saspgm\"\n"
              "         \"C:\\SAS\\V91\\core\\sasmacro\"\n"
              "         )\n"
              "+\n");
}

struct HunkCase {
    const char* name;
    std::string old_text;
    std::string new_text;
    std::string hunks; // the diff without its two label lines
};

class Hunks : public ::testing::TestWithParam<HunkCase> {};

TEST_P(Hunks, ThreeLinesOfContextAndNearChangesMerged) {
    const auto diff = unified_diff(GetParam().old_text, GetParam().new_text, "a", "b");
    ASSERT_TRUE(diff.starts_with("--- a\n+++ b\n")) << diff;
    EXPECT_EQ(diff.substr(12), GetParam().hunks);
}

INSTANTIATE_TEST_SUITE_P(
    UnifiedDiff, Hunks,
    ::testing::Values(
        HunkCase{"FarApartChangesMakeSeparateHunks", numbered_lines(20, "\r\n"),
                 "1\r\n2\r\nx\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\ny\r\n13\r\n14\r\n"
                 "15\r\n16\r\n17\r\n18\r\n19\r\n20\r\n21\r\n",
                 "@@ -1,5 +1,6 @@\n 1\n 2\n+x\n 3\n 4\n 5\n"
                 "@@ -9,7 +10,7 @@\n 9\n 10\n 11\n-12\n+y\n 13\n 14\n 15\n"
                 "@@ -18,3 +19,4 @@\n 18\n 19\n 20\n+21\n"},
        HunkCase{"ChangeOnTheFirstLine", numbered_lines(9, "\n"), "x\n2\n3\n4\n5\n6\n7\n8\n9\n",
                 "@@ -1,4 +1,4 @@\n-1\n+x\n 2\n 3\n 4\n"},
        HunkCase{"RemovedLine", numbered_lines(8, "\n"), "1\n3\n4\n5\n6\n7\n8\n",
                 "@@ -1,5 +1,4 @@\n 1\n-2\n 3\n 4\n 5\n"},
        HunkCase{"SixKeptLinesBetweenTwoChanges", numbered_lines(8, "\n"),
                 "x\n2\n3\n4\n5\n6\n7\ny\n",
                 "@@ -1,8 +1,8 @@\n-1\n+x\n 2\n 3\n 4\n 5\n 6\n 7\n-8\n+y\n"},
        HunkCase{"FromNothing", "", "a\r\n", "@@ -0,0 +1 @@\n+a\n"},
        HunkCase{"ToNothing", "a\nb\n", "", "@@ -1,2 +0,0 @@\n-a\n-b\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane::testing
