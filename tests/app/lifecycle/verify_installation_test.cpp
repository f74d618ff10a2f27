#include "app/lifecycle/verify_installation.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string macro_file = "D:\\Tools\\Kit\\saspgm\\addseq.sas";

std::vector<std::string> verify(TestMachine& machine, const std::vector<ExpectedFile>& files,
                                const std::vector<Shortcut>& shortcuts) {
    const SasautosCheck check{config, [](std::string_view content) {
                                  if (content.find("SASAUTOS") == std::string_view::npos)
                                      return SasautosOutcome::no_list;
                                  return content.find("saspgm") != std::string_view::npos
                                             ? SasautosOutcome::already_listed
                                             : SasautosOutcome::updated;
                              }};
    std::vector<std::string> lines;
    for (const auto& line :
         verify_installation(files, shortcuts, check, machine.files, machine.shell))
        lines.push_back(to_text(line));
    return lines;
}

TEST(VerifyInstallation, EachItemIsOkMissingOrChanged) {
    TestMachine machine;
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    machine.make_folders("C:\\SAS\\V91\\nls\\en");
    machine.write(macro_file, "%macro addseq;\r\n");
    machine.write(config, "-SET SASAUTOS (\r\n  \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n");
    const Shortcut desktop{"C:\\Users\\ana\\Desktop\\Morvane.lnk",
                           "Morvane",
                           3,
                           " -CONFIG x",
                           "C:\\SAS\\V91\\sas.exe",
                           "C:\\SAS\\V91",
                           "D:\\Tools\\Kit\\a.icx"};
    machine.shell.saved.push_back(desktop);
    auto start_menu = desktop;
    start_menu.file_path = "C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk";
    EXPECT_EQ(
        verify(machine, {{macro_file, "%macro addseq;\r\n"}}, {desktop}),
        (std::vector<std::string>{"ok " + macro_file, "ok " + desktop.file_path, "ok " + config}));

    auto normal_window = desktop;
    normal_window.show_command = 1;
    machine.shell.saved.push_back(normal_window);
    machine.write(config, "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n");
    EXPECT_EQ(
        verify(machine, {{macro_file, "%macro addseq;\r\n\r\n"}, {"D:\\Tools\\Kit\\cdisc.sas", ""}},
               {desktop, start_menu}),
        (std::vector<std::string>{"changed " + macro_file, "missing D:\\Tools\\Kit\\cdisc.sas",
                                  "changed " + desktop.file_path, "missing " + start_menu.file_path,
                                  "missing " + config}));

    // Each member told apart: a shortcut that differs in any one of them is changed.
    for (const auto member : {&Shortcut::description, &Shortcut::arguments, &Shortcut::target_path,
                              &Shortcut::working_directory, &Shortcut::icon_location}) {
        auto edited = desktop;
        edited.*member += " (edited)";
        machine.shell.saved.push_back(edited);
        EXPECT_EQ(verify(machine, {}, {desktop}),
                  (std::vector<std::string>{"changed " + desktop.file_path, "missing " + config}));
    }
}

TEST(VerifyInstallation, AMissingConfigurationFileIsMissing) {
    TestMachine machine;
    EXPECT_EQ(verify(machine, {}, {}), std::vector<std::string>{"missing " + config});
}

} // namespace
} // namespace morvane::testing
