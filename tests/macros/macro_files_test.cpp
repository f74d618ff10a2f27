#include "macros/macro_files.hpp"
#include "tests/doubles/test_machine.hpp"
#include "tests/macros/expected_files.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

struct FolderCase {
    std::string folder;         // as the program sees it, UTF-8
    std::string folder_in_file; // as it must stand in the files, code page 1252
};

class MacroFiles : public ::testing::TestWithParam<FolderCase> {
  protected:
    TestMachine machine;
};

Failure write_file(TestMachine& machine, const SasFileWriter& writer, const std::string& name) {
    if (name == "autoexec.sas")
        return create_autoexec(writer, machine.shell, machine.files);
    for (const auto& macro_file : macro_files)
        if (macro_file.file_name == name)
            return macro_file.create(writer);
    return PlatformError{PlatformError::Kind::other, "no writer for " + name};
}

void expect_credit_line(const std::string& name, std::size_t number, const std::string& line,
                        std::size_t width) {
    SCOPED_TRACE(name + " credit line " + std::to_string(number));
    EXPECT_EQ(line.size(), width);
    if (name == "fmtsum.sas") {
        EXPECT_EQ(line.rfind(" By:          ", 0), 0u);
    } else {
        EXPECT_EQ(line.front(), '*');
        EXPECT_EQ(line.back(), '*');
    }
}

TEST_P(MacroFiles, EveryLineIsAsTheTablesGiveIt) {
    const auto& folder = GetParam();
    machine.prepare_program_folder(folder.folder);
    machine.make_folders(folder.folder + "\\saspgm");
    const SasFileWriter writer(machine.files, machine.encoding, folder.folder);
    for (const auto& [name, expected] : expected_macro_files()) {
        SCOPED_TRACE(name);
        ASSERT_EQ(description_of(write_file(machine, writer, name)), "");
        const auto lines = crlf_lines(machine.read(folder.folder + "\\saspgm\\" + name));
        ASSERT_EQ(lines.size(), expected.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (expected[i].is_credit) {
                expect_credit_line(name, i + 1, lines[i], expected[i].width);
                continue;
            }
            EXPECT_EQ(lines[i], with_folder(expected[i].text, folder.folder_in_file))
                << "line " << i + 1;
            if (expected[i].width >= 0) {
                EXPECT_EQ(lines[i].size(), static_cast<std::size_t>(expected[i].width));
            }
        }
    }
}

TEST_P(MacroFiles, SecondWriteGivesTheSameBytesAndLeavesNothingOfALongerFile) {
    const auto& folder = GetParam();
    machine.prepare_program_folder(folder.folder);
    machine.make_folders(folder.folder + "\\saspgm");
    const SasFileWriter writer(machine.files, machine.encoding, folder.folder);
    for (const auto& [name, expected] : expected_macro_files()) {
        const auto path = folder.folder + "\\saspgm\\" + name;
        ASSERT_EQ(description_of(write_file(machine, writer, name)), "");
        const auto first = machine.read(path);
        machine.write(path, first + std::string(200000, 'x'));
        ASSERT_EQ(description_of(write_file(machine, writer, name)), "");
        EXPECT_EQ(machine.read(path), first) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, MacroFiles,
                         ::testing::Values(FolderCase{"D:\\Tools\\Kit", "D:\\Tools\\Kit"},
                                           FolderCase{"C:\\Program Files\\Morvane Kit",
                                                      "C:\\Program Files\\Morvane Kit"},
                                           FolderCase{"C:\\Donn\xC3\xA9"
                                                      "es\\M\xC3\xBCller \xC3\x85sa",
                                                      "C:\\Donn\xE9"
                                                      "es\\M\xFCller \xC5sa"}));

TEST(MacroFileFailures, MissingMacroFolderGivesThePlatformsWordsAndNoFile) {
    TestMachine machine;
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Not\\There");
    for (const auto& macro_file : macro_files) {
        SCOPED_TRACE(macro_file.file_name);
        EXPECT_EQ(description_of(macro_file.create(writer)), "No such file or directory");
    }
    EXPECT_TRUE(machine.messages.shown.empty()) << "the writer shows no box of its own";
    EXPECT_FALSE(machine.exists("D:\\Not\\There"));
}

TEST(MacroFileFailures, ReadOnlyTargetIsLeftAsItWas) {
    TestMachine machine;
    machine.prepare_program_folder();
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    machine.write("D:\\Tools\\Kit\\saspgm\\addseq.sas", "old content");
    machine.set_read_only("D:\\Tools\\Kit\\saspgm\\addseq.sas", true);
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Tools\\Kit");
    EXPECT_EQ(description_of(create_addseq(writer)), "Permission denied");
    EXPECT_EQ(machine.read("D:\\Tools\\Kit\\saspgm\\addseq.sas"), "old content");
}

TEST(MacroFileFolders, SingleQuotesAreDoubledInsideSasLiterals) {
    TestMachine machine;
    machine.prepare_program_folder("C:\\Users\\O'Brien\\Morvane");
    machine.make_folders("C:\\Users\\O'Brien\\Morvane\\saspgm");
    const SasFileWriter writer(machine.files, machine.encoding, "C:\\Users\\O'Brien\\Morvane");
    ASSERT_EQ(description_of(create_addseq(writer)), "");
    ASSERT_EQ(description_of(create_autoexec(writer, machine.shell, machine.files)), "");
    const auto addseq = crlf_lines(machine.read("C:\\Users\\O'Brien\\Morvane\\saspgm\\addseq.sas"));
    EXPECT_EQ(addseq[7], "libname morvlib 'C:\\Users\\O''Brien\\Morvane\\saspgm';");
    const auto autoexec =
        crlf_lines(machine.read("C:\\Users\\O'Brien\\Morvane\\saspgm\\autoexec.sas"));
    EXPECT_EQ(autoexec[3], "%include 'C:\\Users\\O''Brien\\Morvane\\saspgm\\addseq.sas';");
}

TEST(MacroFileFolders, FolderOutsideTheCodePageFailsClearlyAndWritesNothing) {
    TestMachine machine;
    const std::string folder = "C:\\Users\\\xC5\x81ukasz"; // Ł is not in code page 1252
    machine.prepare_program_folder(folder);
    machine.make_folders(folder + "\\saspgm");
    const SasFileWriter writer(machine.files, machine.encoding, folder);
    EXPECT_NE(description_of(create_cdisc(writer)).find("U+0141"), std::string::npos);
    EXPECT_FALSE(machine.exists(folder + "\\saspgm\\cdisc.sas"));
}

TEST(Folders, StartMenuAndMacroFoldersAreMadeAndExistingOnesPassedOver) {
    TestMachine machine;
    machine.prepare_program_folder();
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Tools\\Kit");
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(description_of(create_autoexec(writer, machine.shell, machine.files)), "");
        EXPECT_TRUE(machine.exists("C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE"));
        EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\saspgm\\autoexec.sas"));
    }
}

TEST(Folders, WithoutAProgramsFolderTheAutoexecIsStillWritten) {
    TestMachine machine;
    machine.prepare_program_folder();
    machine.shell.folders.erase(SpecialFolder::programs);
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Tools\\Kit");
    EXPECT_EQ(description_of(create_autoexec(writer, machine.shell, machine.files)), "");
    EXPECT_TRUE(machine.exists("D:\\Tools\\Kit\\saspgm\\autoexec.sas"));
    EXPECT_FALSE(machine.exists("C:\\Users\\ana\\Start Menu\\Programs\\Talmora"));
}

} // namespace
} // namespace morvane::testing
