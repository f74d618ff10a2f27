#include "macros/macro_files.hpp"
#include "tests/doubles/test_machine.hpp"
#include "tests/macros/expected_files.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

std::size_t indent(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? line.size() : first;
}

// The width of the k-th line (from 1) of data set names of a letter, as the layout gives it:
// the letter a and the very last line are not padded, every other line is padded to 78.
std::size_t dataset_line_width(char letter, int k) {
    if (letter == 'a')
        return k == 1 ? 47 : k == 2 ? 48 : k == 20 ? 53 : 52;
    return letter == 'z' && k == 20 ? 53 : 78;
}

// The text of the k-th line (from 1) of data set names of a letter.
std::string dataset_names(char letter, int k) {
    std::string text;
    for (int n = 5 * k - 4; n <= 5 * k; ++n)
        text += std::string(text.empty() ? "" : " ") + "dat_" + letter + std::to_string(n) + "=,";
    return text;
}

class LongMacroFile : public ::testing::TestWithParam<std::string> {
  protected:
    std::vector<std::string> write(const std::string& name) {
        machine.prepare_program_folder(GetParam());
        machine.make_folders(GetParam() + "\\saspgm");
        const SasFileWriter writer(machine.files, machine.encoding, GetParam());
        EXPECT_EQ(description_of(name == "difftest.sas" ? create_difftest(writer)
                                                        : create_matchvar(writer)),
                  "");
        bytes = machine.read(GetParam() + "\\saspgm\\" + name);
        return crlf_lines(bytes);
    }

    // Checks the 520 data set lines that start at line first (numbered from 1).
    void expect_dataset_lines(const std::vector<std::string>& lines, std::size_t first) {
        for (char letter = 'a'; letter <= 'z'; ++letter) {
            for (int k = 1; k <= 20; ++k) {
                const auto& line = lines[first - 1 + (letter - 'a') * 20 + (k - 1)];
                SCOPED_TRACE(std::string("letter ") + letter + " line " + std::to_string(k));
                EXPECT_EQ(indent(line), 3u);
                EXPECT_EQ(trimmed(line), dataset_names(letter, k));
                EXPECT_EQ(line.size(), dataset_line_width(letter, k));
            }
        }
        EXPECT_EQ(lines[first - 1], "   dat_a1=, dat_a2=, dat_a3=, dat_a4=, dat_a5=,");
        EXPECT_EQ(lines[first + 18], "   dat_a96=, dat_a97=, dat_a98=, dat_a99=, dat_a100=,");
        EXPECT_EQ(lines[first + 518], "   dat_z96=, dat_z97=, dat_z98=, dat_z99=, dat_z100=,");
    }

    TestMachine machine;
    std::string bytes;
};

TEST_P(LongMacroFile, DifftestFollowsItsLayout) {
    const auto lines = write("difftest.sas");
    ASSERT_EQ(lines.size(), 813u);
    EXPECT_EQ(bytes.size(), 62116u + GetParam().size());
    EXPECT_EQ(lines[0], "/*" + std::string(61, '-') + "*" + std::string(14, ' '));
    EXPECT_EQ(lines[1].size(), 76u);
    EXPECT_EQ(lines[3], " Parameters:  fmtpath = format path, ");
    EXPECT_EQ(lines[6].rfind(" By:          ", 0), 0u);
    EXPECT_EQ(lines[6].size(), 74u);
    EXPECT_EQ(lines[7], "*" + std::string(62, '-') + "*/");
    EXPECT_EQ(lines[9], "libname morvlib '" + GetParam() + "\\saspgm';");
    EXPECT_EQ(lines[11], "%macro difftest (");
    EXPECT_EQ(lines[12],
              "   fpath_a=, fpath_b=, fpath_c=, fpath_d=, fpath_e=," + std::string(26, ' '));
    for (std::size_t line = 13; line <= 16; ++line)
        EXPECT_EQ(lines[line - 1].size(), 78u) << line;
    EXPECT_EQ(lines[16].size(), 79u);
    EXPECT_EQ(trimmed(lines[16]), "fpath_u=, fpath_v=, fpath_w=, fpath_x=, fpath_y=, fpath_z=,");
    EXPECT_EQ(lines[18], "   path_a=, path_b=, path_c=, path_d=, path_e=, ");
    const std::size_t path_widths[] = {48, 48, 48, 48, 57};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(lines[18 + i].size(), path_widths[i]);
    expect_dataset_lines(lines, 25);
    EXPECT_EQ(lines[544], "   title=" + std::string(26, ' '));
    EXPECT_EQ(lines[545], ");");
    EXPECT_EQ(lines[547], "   *** Check for format catalogs ***;");
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::size_t first = 549 + (letter - 'a') * 10; // line number of the block
        const std::string l(1, letter);
        const std::string block[] = {"%if %quote(&fpath_" + l + ") NE %then %do;",
                                     "libname templib \"&fpath_" + l + "\";",
                                     "libname library \"&fpath_" + l + "\";",
                                     "*** Capture the format library through data set ***;",
                                     "",
                                     "proc format library=templib.formats",
                                     "cntlout=work.format_" + l + ";",
                                     "run;",
                                     "%end;"};
        for (std::size_t i = 0; i < 9; ++i) {
            SCOPED_TRACE(std::string("block ") + letter + " line " + std::to_string(i + 1));
            EXPECT_EQ(trimmed(lines[first - 1 + i]), block[i]);
            const bool bare = i == 2 && letter > 'c';
            EXPECT_EQ(lines[first - 1 + i].size(), bare ? 33u : 78u);
        }
        EXPECT_EQ(lines[first - 1 + 9], letter == 'z' ? "" : std::string(78, ' '));
    }
    EXPECT_EQ(lines[570].size(), 78u);
    EXPECT_EQ(lines[580].size(), 33u);
    EXPECT_EQ(lines[808], "   proc display cat = morvlib.morvlib.difftest.scl batch;");
    EXPECT_EQ(lines[809], "   run;");
    EXPECT_EQ(lines[810], "%mend ;");
    EXPECT_TRUE(bytes.ends_with("\r\n%mend ;\r\n\r\n\r\n"));
}

TEST_P(LongMacroFile, MatchvarFollowsItsLayout) {
    const auto lines = write("matchvar.sas");
    ASSERT_EQ(lines.size(), 547u);
    EXPECT_EQ(bytes.size(), 42048u + GetParam().size());
    EXPECT_EQ(lines[0].size(), 78u);
    EXPECT_EQ(lines[1], " program:     matchvar.sas" + std::string(50, ' '));
    EXPECT_EQ(lines[2], " Description: Match variable name and label if they are similar");
    EXPECT_EQ(lines[3], " Parameters:  path_a ... path_z = path to the SAS data,");
    EXPECT_EQ(lines[4], std::string(14, ' ') + "dat_a1...dat_z100 = dataset name,");
    EXPECT_EQ(lines[5], std::string(14, ' ') + "score = tolerance score,");
    EXPECT_EQ(lines[6], std::string(14, ' ') + "title = title for report");
    EXPECT_EQ(lines[7].size(), 74u);
    EXPECT_EQ(lines[8].size(), 65u);
    EXPECT_EQ(lines[10], "libname morvlib '" + GetParam() + "\\saspgm';");
    EXPECT_EQ(lines[12], "%macro matchvar (");
    EXPECT_EQ(lines[17], "   path_u=, path_v=, path_w=, path_x=, path_y=, path_z=, ");
    expect_dataset_lines(lines, 20);
    EXPECT_EQ(lines[38].size(), 53u);
    EXPECT_EQ(lines[39].size(), 78u);
    EXPECT_EQ(lines[539], "   score=, title=,output=" + std::string(23, ' '));
    EXPECT_EQ(lines[539].size(), 48u);
    EXPECT_EQ(lines[540], ");");
    EXPECT_EQ(lines[542], "   proc display cat = morvlib.morvlib.matchvar.scl batch;");
    EXPECT_TRUE(bytes.ends_with("\r\n%mend ;\r\n\r\n\r\n"));
}

TEST_P(LongMacroFile, BothFilesShareTheirParameterLines) {
    const auto difftest = write("difftest.sas");
    const auto matchvar = write("matchvar.sas");
    for (std::size_t i = 0; i < 5 + 1 + 520; ++i)
        EXPECT_EQ(difftest[18 + i], matchvar[13 + i]) << i;
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, LongMacroFile,
                         ::testing::Values("D:\\Tools\\Kit", "C:\\Program Files\\Morvane Kit"));

TEST(LongMacroFileFailures, MissingMacroFolderFailsEachWriter) {
    TestMachine machine;
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Gone");
    EXPECT_EQ(description_of(create_difftest(writer)), "No such file or directory");
    EXPECT_EQ(description_of(create_matchvar(writer)), "No such file or directory");
}

TEST(HeaderMacroFiles, SpecificLinesStandWhereExpected) {
    TestMachine machine;
    machine.prepare_program_folder();
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Tools\\Kit");
    for (const auto create : {create_fmtsum, create_sd2xpt, create_comment, create_metadata})
        ASSERT_EQ(description_of(create(writer)), "");
    const auto fmtsum = machine.read("D:\\Tools\\Kit\\saspgm\\fmtsum.sas");
    EXPECT_EQ(fmtsum.find("D:\\Tools\\Kit"), fmtsum.rfind("D:\\Tools\\Kit"));
    EXPECT_EQ(crlf_lines(fmtsum)[21], "   libname morvlib 'D:\\Tools\\Kit\\saspgm';");
    EXPECT_TRUE(fmtsum.ends_with("\r\n%mend ;\r\n\r\n\r\n"));
    const auto sd2xpt = crlf_lines(machine.read("D:\\Tools\\Kit\\saspgm\\sd2xpt.sas"));
    std::vector<std::string> macros;
    for (const auto& line : sd2xpt)
        if (line.rfind("%macro ", 0) == 0 || line.rfind("%mend ", 0) == 0)
            macros.push_back(line);
    EXPECT_EQ(macros, (std::vector<std::string>{"%macro comment (data = ,", "%mend comment;",
                                                "%macro sd2xpt (inpath=,", "%mend sd2xpt;"}));
    EXPECT_EQ(sd2xpt[29], "");
    const auto comment = machine.read("D:\\Tools\\Kit\\saspgm\\comment.sas");
    EXPECT_TRUE(comment.ends_with("\r\n%mend comment;\r\n"));
    const auto metadata = crlf_lines(machine.read("D:\\Tools\\Kit\\saspgm\\metadata.sas"));
    EXPECT_EQ(metadata[3].size() - metadata[3].rfind('*') - 1, 15u);
    EXPECT_EQ(metadata[7].size() - metadata[7].rfind('*') - 1, 19u);
    EXPECT_EQ(metadata.back(), "%mend metadata;");
}

} // namespace
} // namespace morvane::testing
