#include "integration/tool_config.hpp"
#include "tests/doubles/test_machine.hpp"
#include "tests/macros/expected_files.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

TEST(ToolConfig, FourLinesNamingTheProgramFolderAndReplacedOnRerun) {
    TestMachine machine;
    const std::string folder = "C:\\Program Files\\Morvane Kit";
    machine.prepare_program_folder(folder);
    const SasFileWriter writer(machine.files, machine.encoding, folder);
    machine.write(folder + "\\morvane.cfg", std::string(1000, 'x'));
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(description_of(write_tool_config(writer)), "");
        EXPECT_EQ(machine.read(folder + "\\morvane.cfg"),
                  "-awstitle 'KVR - Morvane'\r\n"
                  "-autoexec 'C:\\Program Files\\Morvane Kit\\saspgm\\autoexec.sas'\r\n"
                  "-splashloc  'C:\\Program Files\\Morvane Kit\\splsh.bmp'\r\n"
                  "-initcmd 'af cat = pgmlib.morvlib.morvane_app.frame'\r\n");
    }
}

TEST(ToolConfig, SingleQuotesInTheFolderAreDoubled) {
    TestMachine machine;
    machine.prepare_program_folder("C:\\O'Brien");
    const SasFileWriter writer(machine.files, machine.encoding, "C:\\O'Brien");
    ASSERT_EQ(description_of(write_tool_config(writer)), "");
    EXPECT_EQ(crlf_lines(machine.read("C:\\O'Brien\\morvane.cfg"))[2],
              "-splashloc  'C:\\O''Brien\\splsh.bmp'");
}

TEST(ToolConfig, UnwritableFolderIsReported) {
    TestMachine machine;
    const SasFileWriter writer(machine.files, machine.encoding, "D:\\Missing");
    EXPECT_EQ(description_of(write_tool_config(writer)), "No such file or directory");
}

} // namespace
} // namespace morvane::testing
