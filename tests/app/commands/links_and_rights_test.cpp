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
        console = RecordingConsole();
        ProgramServices services{
            machine.platform, console, host, instance, [] { return std::string("T"); },
            "setup.exe"};
        return run_setup_program(arguments, services);
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

struct LinkedPlace {
    const char* kind;
    std::string place;
    bool folder;
    std::vector<std::string> arguments;
    bool planted_after_installing; // for an uninstallation
};

class LinkRefusal : public Machine, public ::testing::WithParamInterface<LinkedPlace> {};

TEST_P(LinkRefusal, IsNamedAndNotFollowed) {
    const auto& linked = GetParam();
    if (linked.planted_after_installing) {
        ASSERT_EQ(run({"/silent"}), exit_installed);
    }
    // Under Wine links are not reparse points: the Win32 tests cover the platform's query.
    if (!plant_link(linked.place, linked.folder))
        GTEST_SKIP() << "the host cannot make links";

    EXPECT_NE(run(linked.arguments), exit_installed);
    EXPECT_TRUE(told(console.err_lines, linked.place + " is a link"))
        << (console.err_lines.empty() ? "" : console.err_lines.back());
    EXPECT_TRUE(fs::is_symlink(machine.files.host_path(linked.place))) << "the link stays";
    EXPECT_EQ(machine.read(victim_file), sasautos);
    EXPECT_TRUE(fs::is_empty(machine.files.host_path(victim_folder)));
}

const std::string programs = "C:\\Users\\ana\\Start Menu\\Programs";
INSTANTIATE_TEST_SUITE_P(
    EveryKindOfPlace, LinkRefusal,
    ::testing::Values(
        LinkedPlace{"autoexec", macros + "\\autoexec.sas", false, {"/silent"}, false},
        LinkedPlace{"macro file", macros + "\\varlen.sas", false, {"/silent"}, false},
        LinkedPlace{"tool config", kit + "\\morvane.cfg", false, {"/silent"}, false},
        LinkedPlace{"sas config", config, false, {"/silent"}, false},
        LinkedPlace{"macro folder", macros, true, {"/silent"}, false},
        LinkedPlace{"start menu", programs + "\\Talmora", true, {"/silent"}, false},
        LinkedPlace{"all users' start menu",
                    "C:\\ProgramData\\Start Menu\\Programs\\Talmora",
                    true,
                    {"/silent", "/allusers"},
                    false},
        LinkedPlace{"shortcut", "C:\\Users\\ana\\Desktop\\Morvane.lnk", false, {"/silent"}, false},
        LinkedPlace{"log", "D:\\setup.log", false, {"/silent", "/log=D:\\setup.log"}, false},
        LinkedPlace{
            "report", "D:\\iq.html", false, {"/verify", "/silent", "/report=D:\\iq.html"}, true},
        LinkedPlace{
            "uninstalled file", macros + "\\cdisc.sas", false, {"/uninstall", "/silent"}, true},
        LinkedPlace{"uninstalled shortcut",
                    programs + "\\Talmora\\MORVANE\\Morvane.lnk",
                    false,
                    {"/uninstall", "/silent"},
                    true},
        LinkedPlace{"uninstalled sas config", config, false, {"/uninstall", "/silent"}, true}),
    [](const auto& info) {
        std::string name = info.param.kind;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

struct ChangeableFolder {
    const char* name;
    std::string folder_others_can_write; // empty: none
};

class ChangeableMacroFolder : public Machine,
                              public ::testing::WithParamInterface<ChangeableFolder> {};

// Noted wherever the administrator looks, and never a reason to refuse or fail.
TEST_P(ChangeableMacroFolder, IsNotedByEveryCommandWithoutFailingIt) {
#ifdef _WIN32
    GTEST_SKIP() << "the host's permissions on Windows tell nothing of other users";
#endif
    const auto& folder = GetParam().folder_others_can_write;
    machine.make_folders(macros);
    if (!folder.empty())
        fs::permissions(machine.files.host_path(folder), fs::perms::others_write,
                        fs::perm_options::add);
    const std::string note = "Note: users other than administrators (Everyone) can change files "
                             "in " +
                             folder + "; every SAS session that reads " + config +
                             " would run their macros.";
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"/whatif"}, {"/silent"}, {"/verify", "/silent", "/report=D:\\iq.html"}}) {
        ASSERT_EQ(run(arguments), exit_installed) << arguments[0];
        EXPECT_EQ(told(console.out_lines, note), !folder.empty()) << arguments[0];
        EXPECT_EQ(told(console.out_lines, "Note: users other"), !folder.empty()) << arguments[0];
    }
    EXPECT_EQ(machine.read("D:\\iq.html").find("PASS with notes") != std::string::npos,
              !folder.empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, ChangeableMacroFolder,
                         ::testing::Values(ChangeableFolder{"Neither", ""},
                                           ChangeableFolder{"MacroFolder", macros},
                                           ChangeableFolder{"ProgramFolder", kit}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane::testing
