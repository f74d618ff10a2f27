// Program folders that stress the generated SAS code: each installs, and wherever the
// folder stands in a generated file it stands as SAS reads it back.
#include "app/window/frmMain.hpp"
#include "tests/doubles/test_machine.hpp"
#include "tests/macros/expected_files.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

struct HostileFolder {
    const char* name;
    std::string folder;       // as the program sees it, UTF-8
    std::string in_file = ""; // its bytes in code page 1252; empty: the same as folder
    std::string literal = ""; // inside a single-quoted SAS literal; empty: as in_file
};

class HostilePaths : public ::testing::TestWithParam<HostileFolder> {};

TEST_P(HostilePaths, InstallWritesTheFolderAsSasReadsIt) {
    TestMachine machine;
    const auto& folder = GetParam().folder;
    machine.prepare_program_folder(folder);
    machine.make_folders("C:\\SAS\\V91\\nls\\en");
    machine.write("C:\\SAS\\V91\\nls\\en\\SASV9.CFG",
                  "-SET SASAUTOS (\r\n  \"!SASROOT\\core\"\r\n)\r\n");
    FakeWindowView view;
    view.selected = OptionButton::optSas9;
    frmMain form(machine.platform, view, record_with_sas91());
    form.cmdInstall_Click();
    ASSERT_EQ(view.status(), "Installation completed.");

    const auto in_file = GetParam().in_file.empty() ? folder : GetParam().in_file;
    const auto literal = GetParam().literal.empty() ? in_file : GetParam().literal;
    const auto autoexec = crlf_lines(machine.read(folder + "\\saspgm\\autoexec.sas"));
    EXPECT_EQ(autoexec[1], "libname pgmlib    '" + literal + "\\saspgm';");
    EXPECT_EQ(autoexec[18], "%include '" + literal + "\\saspgm\\sup2dat.sas';");
    const auto cfg = crlf_lines(machine.read(folder + "\\morvane.cfg"));
    EXPECT_EQ(cfg[1], "-autoexec '" + literal + "\\saspgm\\autoexec.sas'");
    EXPECT_EQ(crlf_lines(machine.read(folder + "\\saspgm\\difftest.sas"))[9],
              "libname morvlib '" + literal + "\\saspgm';");
    // Inside the double quotes of the SAS configuration the folder stands as it is.
    EXPECT_NE(machine.read("C:\\SAS\\V91\\nls\\en\\SASV9.CFG")
                  .find("(\r\n                \"" + in_file + "\\saspgm\"\r\n"),
              std::string::npos);
    EXPECT_EQ(machine.shell.saved[0].arguments,
              " -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"" + folder + "\\morvane.cfg\"");
}

INSTANTIATE_TEST_SUITE_P(
    Folders, HostilePaths,
    ::testing::Values(HostileFolder{"Blanks", "C:\\Program Files\\Morvane Kit"},
                      HostileFolder{"SingleQuotes", "C:\\Users\\O'Brien\\Morvane 'Kit'", "",
                                    "C:\\Users\\O''Brien\\Morvane ''Kit''"},
                      HostileFolder{"Parentheses", "C:\\Program Files (x86)\\Morvane (2)"},
                      HostileFolder{"AmpersandAndPercent", "D:\\R&D\\100%\\&sysdate %nrstr"},
                      HostileFolder{"NonAscii",
                                    "C:\\Donn\xC3\xA9"
                                    "es\\\xC3\x85ngstr\xC3\xB6m",
                                    "C:\\Donn\xE9"
                                    "es\\\xC5ngstr\xF6m"},
                      HostileFolder{"NearTheLengthLimit",
                                    "C:\\" + std::string(200, 'x') + "\\" + std::string(40, 'y')}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane::testing
