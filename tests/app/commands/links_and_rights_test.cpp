#include "app/commands/command_line.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvane::testing {
namespace {
namespace fs = std::filesystem;

const std::string kit = "D:\\Tools\\Kit";
const std::string macros = kit + "\\saspgm";
const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string sasautos = "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";
// What a planted link points at: a file or folder that is no business of this program.
const std::string victim_file = "C:\\Windows\\victim.txt";
const std::string victim_folder = "C:\\Windows\\Victim";

class Machine : public ::testing::Test {
  protected:
    Machine() {
        machine.prepare_program_folder(kit);
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, sasautos);
        machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
        machine.make_folders(victim_folder);
        machine.write(victim_file, sasautos);
    }
    int run(const std::vector<std::string>& arguments) {
        return run_setup(machine.platform, console, host, instance, arguments);
    }
    // Replaces whatever is at the place with a link to the victim; false where the host
    // cannot make one.
    bool plant_link(const std::string& place, bool folder) {
        const auto link = machine.files.host_path(place);
        fs::remove_all(link);
        fs::create_directories(link.parent_path());
        const auto target = machine.files.host_path(folder ? victim_folder : victim_file);
        std::error_code error;
        folder ? fs::create_directory_symlink(target, link, error)
               : fs::create_symlink(target, link, error);
        return !error;
    }
    bool told(const std::vector<std::string>& lines, const std::string& text) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(text) != std::string::npos;
        });
    }

    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

// A place, what is there (f: a file, d: a folder), and the command; after installing: the
// link replaces what an installation made, for the command to find.
struct LinkedPlace {
    std::string place;
    char kind;
    std::vector<std::string> arguments;
    bool after_installing = false;
};

class LinkRefusal : public Machine, public ::testing::WithParamInterface<LinkedPlace> {};

TEST_P(LinkRefusal, IsNamedAndNotFollowed) {
    const auto& linked = GetParam();
    if (linked.after_installing) {
        ASSERT_EQ(run({"/silent"}), exit_installed);
    }
    // Under Wine links are not reparse points: the Win32 tests cover the platform's query.
    if (!plant_link(linked.place, linked.kind == 'd'))
        GTEST_SKIP() << "the host cannot make links";

    EXPECT_NE(run(linked.arguments), exit_installed);
    EXPECT_TRUE(told(console.err_lines, linked.place + " is a link")) << linked.place;
    EXPECT_TRUE(fs::is_symlink(machine.files.host_path(linked.place))) << "the link stays";
    EXPECT_EQ(machine.read(victim_file), sasautos);
    EXPECT_TRUE(fs::is_empty(machine.files.host_path(victim_folder)));
}

const std::string menu = "C:\\Users\\ana\\Start Menu\\Programs\\Talmora";
const std::vector<std::string> install = {"/silent"};
const std::vector<std::string> uninstall = {"/uninstall", "/silent"};
INSTANTIATE_TEST_SUITE_P(
    EveryKindOfPlace, LinkRefusal,
    ::testing::Values(
        LinkedPlace{macros + "\\autoexec.sas", 'f', install},
        LinkedPlace{macros + "\\varlen.sas", 'f', install},
        LinkedPlace{kit + "\\morvane.cfg", 'f', install}, LinkedPlace{config, 'f', install},
        LinkedPlace{kit + "\\morvane-setup.ini", 'f', install},
        LinkedPlace{kit + "\\morvane-setup.ini", 'f', uninstall, true},
        LinkedPlace{macros, 'd', install}, LinkedPlace{menu, 'd', install},
        LinkedPlace{
            "C:\\ProgramData\\Start Menu\\Programs\\Talmora", 'd', {"/silent", "/allusers"}},
        LinkedPlace{"C:\\Users\\ana\\Desktop\\Morvane.lnk", 'f', install},
        LinkedPlace{"D:\\setup.log", 'f', {"/silent", "/log=D:\\setup.log"}},
        LinkedPlace{"D:\\iq.html", 'f', {"/verify", "/silent", "/report=D:\\iq.html"}, true},
        LinkedPlace{macros + "\\cdisc.sas", 'f', uninstall, true},
        LinkedPlace{menu + "\\MORVANE\\Morvane.lnk", 'f', uninstall, true},
        LinkedPlace{config, 'f', uninstall, true}));

// The folder that others may write to, if any: noted wherever the administrator looks, and
// never a reason to refuse or fail.
class ChangeableMacroFolder : public Machine, public ::testing::WithParamInterface<std::string> {};

TEST_P(ChangeableMacroFolder, IsNotedByEveryCommandWithoutFailingIt) {
#ifdef _WIN32
    GTEST_SKIP() << "the host's permissions on Windows tell nothing of other users";
#endif
    const auto& folder = GetParam();
    machine.make_folders(macros);
    if (!folder.empty())
        fs::permissions(machine.files.host_path(folder), fs::perms::others_write,
                        fs::perm_options::add);
    const std::string note = folder.empty() ? "Note: users other"
                                            : "Note: users other than administrators (Everyone) "
                                              "can change files in " +
                                                  folder + "; every SAS session that reads " +
                                                  config + " would run their macros.";
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"/whatif"}, {"/silent"}, {"/verify", "/silent", "/report=D:\\iq.html"}}) {
        ASSERT_EQ(run(arguments), exit_installed) << arguments[0];
        EXPECT_EQ(told(console.out_lines, note), !folder.empty()) << arguments[0];
    }
    EXPECT_EQ(machine.read("D:\\iq.html").find("PASS with notes") != std::string::npos,
              !folder.empty());
}

INSTANTIATE_TEST_SUITE_P(NeitherMacroOrProgramFolder, ChangeableMacroFolder,
                         ::testing::Values(std::string(), macros, kit));

} // namespace
} // namespace morvane::testing
