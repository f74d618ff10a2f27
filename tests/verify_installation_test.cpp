#include "app/verify_installation.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

Shortcut desktop_shortcut() {
    Shortcut shortcut;
    shortcut.file_path = "C:\\Users\\ana\\Desktop\\Morvane.lnk";
    shortcut.description = "Morvane";
    shortcut.show_command = 3;
    shortcut.arguments =
        " -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"D:\\Tools\\Kit\\morvane.cfg\"";
    shortcut.target_path = "C:\\SAS\\V91\\sas.exe";
    shortcut.working_directory = "C:\\SAS\\V91";
    shortcut.icon_location = "D:\\Tools\\Kit\\Morvane_Post_Installation_setup.icx";
    return shortcut;
}

class VerifyInstallation : public ::testing::Test {
  protected:
    VerifyInstallation() { machine.prepare_program_folder(); }

    std::vector<std::string> verify(const std::vector<ExpectedFile>& files,
                                    const std::vector<Shortcut>& shortcuts) {
        const SasautosCheck check{config, [](std::string_view content) {
                                      return content.find("saspgm") != std::string_view::npos;
                                  }};
        std::vector<std::string> lines;
        for (const auto& line :
             verify_installation(files, shortcuts, check, machine.files, machine.shell))
            lines.push_back(to_text(line));
        return lines;
    }

    TestMachine machine;
    const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
};

TEST_F(VerifyInstallation, EveryItemInPlaceIsOk) {
    machine.write("D:\\Tools\\Kit\\morvane.cfg", "-awstitle \"Morvane\"\r\n");
    machine.make_folders("C:\\SAS\\V91\\nls\\en");
    machine.write(config, "-SET SASAUTOS (\r\n  \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n");
    machine.shell.saved.push_back(desktop_shortcut());
    EXPECT_EQ(
        verify({{"D:\\Tools\\Kit\\morvane.cfg", "-awstitle \"Morvane\"\r\n"}},
               {desktop_shortcut()}),
        (std::vector<std::string>{"ok D:\\Tools\\Kit\\morvane.cfg",
                                  "ok C:\\Users\\ana\\Desktop\\Morvane.lnk", "ok " + config}));
}

TEST_F(VerifyInstallation, MissingAndChangedItemsAreNamed) {
    machine.make_folders("D:\\Tools\\Kit\\saspgm");
    machine.write("D:\\Tools\\Kit\\saspgm\\addseq.sas", "%macro addseq;\r\n");
    machine.make_folders("C:\\SAS\\V91\\nls\\en");
    machine.write(config, "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n");
    auto start_menu = desktop_shortcut();
    start_menu.file_path = "C:\\Users\\ana\\Start Menu\\Programs\\Talmora\\MORVANE\\Morvane.lnk";
    auto normal_window = desktop_shortcut();
    normal_window.show_command = 1;
    machine.shell.saved.push_back(normal_window);
    EXPECT_EQ(verify({{"D:\\Tools\\Kit\\saspgm\\addseq.sas", "%macro addseq;\r\n\r\n"},
                      {"D:\\Tools\\Kit\\saspgm\\cdisc.sas", "%macro cdisc;\r\n"}},
                     {desktop_shortcut(), start_menu}),
              (std::vector<std::string>{"changed D:\\Tools\\Kit\\saspgm\\addseq.sas",
                                        "missing D:\\Tools\\Kit\\saspgm\\cdisc.sas",
                                        "changed C:\\Users\\ana\\Desktop\\Morvane.lnk",
                                        "missing " + start_menu.file_path, "missing " + config}));
}

TEST_F(VerifyInstallation, AMissingConfigurationFileIsMissing) {
    const auto lines = verify({}, {});
    EXPECT_EQ(lines, std::vector<std::string>{"missing " + config});
}

} // namespace
} // namespace morvane::testing
