#include "integration/tool_config.hpp"
#include "tests/doubles/test_machine.hpp"
#include "tests/expected_files.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

TEST(ToolConfig, FourLinesNamingTheProgramFolderAndReplacedOnRerun) {
    TestMachine machine;
    const std::string folder = "C:\\Program Files\\Morvane Kit";
    machine.prepare_program_folder(folder);
    const SasFileWriter writer(machine.files, machine.encoding, machine.messages, folder);
    machine.write(folder + "\\morvane.cfg", std::string(1000, 'x'));
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(write_tool_config(writer));
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
    const SasFileWriter writer(machine.files, machine.encoding, machine.messages, "C:\\O'Brien");
    ASSERT_TRUE(write_tool_config(writer));
    EXPECT_EQ(crlf_lines(machine.read("C:\\O'Brien\\morvane.cfg"))[2],
              "-splashloc  'C:\\O''Brien\\splsh.bmp'");
}

TEST(ToolConfig, UnwritableFolderIsReported) {
    TestMachine machine;
    const SasFileWriter writer(machine.files, machine.encoding, machine.messages, "D:\\Missing");
    EXPECT_FALSE(write_tool_config(writer));
    ASSERT_EQ(machine.messages.shown.size(), 1u);
    EXPECT_EQ(machine.messages.shown[0].title, "Error!");
}

} // namespace
} // namespace morvane::testing
