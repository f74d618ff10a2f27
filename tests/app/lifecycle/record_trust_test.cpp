#include "app/commands/command_line.hpp"
#include "app/record/record_journal.hpp"
#include "app/record/setup_journal.hpp"
#include "app/record/setup_record.hpp"
#include "app/reporting/link_refusal.hpp"
#include "integration/sas_config_update.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace morvane::testing {
namespace {

const std::string kit = "D:\\Tools\\Kit";
const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
const std::string original_config = "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";

// SAS 9.1 installed, the setup in D:\Tools\Kit, run as on the command line.
struct Kit {
    Kit() {
        machine.prepare_program_folder(kit);
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, original_config);
        machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    }
    int run(const std::vector<std::string>& arguments) {
        return run_setup(machine.platform, console, host, instance, arguments);
    }
    SetupRecord record() {
        return parse_setup_record(machine.read(setup_record_path(kit))).value();
    }
    void save(const SetupRecord& record) { machine.write(setup_record_path(kit), to_text(record)); }
    bool said_starting(const std::string& start) {
        auto& lines = console.out_lines;
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.starts_with(start); });
    }
    // Puts folder on the SASAUTOS list of file and records that update as ours.
    void record_update(SetupRecord& record, const std::string& file, const std::string& folder) {
        const auto update = update_sas_config_file(machine.files, machine.encoding, folder, file);
        ASSERT_TRUE(update.ok()) << update.error().description;
        record.sasautos.push_back(
            {file, update.value().macro_folder, update.value().outcome, update.value().change});
    }
    void expect_undone() {
        EXPECT_EQ(machine.read(config).find(kit), std::string::npos);
        for (const auto& path : {kit + "\\saspgm\\autoexec.sas", setup_record_path(kit),
                                 std::string("C:\\Users\\ana\\Desktop\\Morvane.lnk"),
                                 std::string("C:\\Users\\ana\\Start Menu\\Programs\\Talmora")})
            EXPECT_FALSE(machine.exists(path)) << path;
    }

    TestMachine machine;
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
};

struct Tampering {
    std::string what;
    std::string path; // what the record names: it must stay as it is
    std::function<void(Kit&, SetupRecord&)> apply;
};

TEST(RecordTrust, WhatATamperedRecordNamesIsLeftAndReportedAndTheInstallationIsUndone) {
    const std::string other_config = "C:\\SAS\\Other\\SASV9.CFG";
    const std::string bob = "C:\\Users\\bob\\Start Menu\\Programs\\Talmora";
    const auto shortcut_to_kit = [](Kit& at, const std::string& path) {
        at.machine.make_folders(path.substr(0, path.rfind('\\')));
        Shortcut shortcut;
        shortcut.file_path = path;
        shortcut.arguments = " -CONFIG \"" + kit + "\\morvane.cfg\"";
        ASSERT_FALSE(at.machine.shell.save_shortcut(shortcut));
    };
    const Tampering tamperings[] = {
        {"another kit's SAS configuration", other_config,
         [&](Kit& at, SetupRecord& r) {
             at.machine.make_folders("C:\\SAS\\Other");
             at.machine.write(other_config, original_config);
             at.record_update(r, other_config, kit + "\\saspgm");
         }},
        {"a file of the entry's shape", kit + "\\notes.txt",
         [&](Kit& at, SetupRecord& r) {
             at.machine.write(kit + "\\notes.txt", original_config);
             at.record_update(r, kit + "\\notes.txt", kit + "\\saspgm");
         }},
        {"another kit's entry in this release's file", config,
         [&](Kit& at, SetupRecord& r) { at.record_update(r, config, "D:\\Other\\saspgm"); }},
        {"another user's Start-menu folder", bob,
         [&](Kit& at, SetupRecord& r) {
             at.machine.make_folders(bob);
             r.folders_created.push_back(bob);
         }},
        {"another kit's macro folder", "D:\\Other\\saspgm",
         [&](Kit& at, SetupRecord& r) {
             at.machine.make_folders("D:\\Other\\saspgm");
             r.folders_created.push_back("D:\\Other\\saspgm");
         }},
        {"a file in the macro folder that is not generated", kit + "\\saspgm\\morvlib.sas7bcat",
         [&](Kit& at, SetupRecord& r) {
             at.machine.write(kit + "\\saspgm\\morvlib.sas7bcat", "catalog");
             r.files_written.push_back({kit + "\\saspgm\\morvlib.sas7bcat", sha256_of("catalog")});
         }},
        {"a shortcut on all users' desktop", "C:\\Users\\Public\\Desktop\\Morvane.lnk",
         [&](Kit& at, SetupRecord& r) {
             shortcut_to_kit(at, "C:\\Users\\Public\\Desktop\\Morvane.lnk");
             r.shortcuts_saved.push_back("C:\\Users\\Public\\Desktop\\Morvane.lnk");
         }},
        {"a shortcut in another user's folder", bob + "\\MORVANE\\Morvane.lnk",
         [&](Kit& at, SetupRecord& r) {
             shortcut_to_kit(at, bob + "\\MORVANE\\Morvane.lnk");
             r.shortcuts_saved.push_back(bob + "\\MORVANE\\Morvane.lnk");
         }},
    };
    for (const auto& tampering : tamperings) {
        SCOPED_TRACE(tampering.what);
        Kit at;
        ASSERT_EQ(at.run({"/silent"}), exit_installed);
        auto record = at.record();
        tampering.apply(at, record);
        at.save(record);
        const auto host_path = at.machine.files.host_path(tampering.path);
        const bool is_file = std::filesystem::is_regular_file(host_path);
        const auto before = is_file ? at.machine.read(tampering.path) : "";
        ASSERT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
        EXPECT_TRUE(at.said_starting("not removed " + tampering.path + ": "));
        ASSERT_TRUE(std::filesystem::exists(host_path));
        if (tampering.path == config) {
            EXPECT_NE(at.machine.read(config).find("D:\\Other\\saspgm"), std::string::npos);
        } else if (is_file) {
            EXPECT_EQ(at.machine.read(tampering.path), before);
        }
        at.expect_undone();
    }
}

// The recorded user's Programs folder, spelled to lead elsewhere: a climb out with "..", an
// alternate stream's colon. Their Talmora folders are not this installation's.
TEST(RecordTrust, ARecordedUsersFolderIsTakenOnlyAsItReads) {
    for (const std::string programs :
         {"C:\\Users\\ana\\Start Menu\\Programs\\..\\..\\..\\bob\\Start Menu\\Programs",
          "C:\\Users\\ana\\Start Menu\\Programs:x"}) {
        SCOPED_TRACE(programs);
        Kit at;
        ASSERT_EQ(at.run({"/silent"}), exit_installed);
        auto record = at.record();
        ASSERT_TRUE(record.user);
        record.user->programs = programs;
        record.folders_created.push_back(programs + "\\Talmora");
        at.save(record);
        at.machine.make_folders(programs + "\\Talmora");
        ASSERT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
        EXPECT_TRUE(at.said_starting("not removed " + programs + "\\Talmora: "));
        EXPECT_TRUE(std::filesystem::exists(at.machine.files.host_path(programs + "\\Talmora")));
    }
}

TEST(RecordTrust, AnotherAccountUndoesTheRecordedUsersShortcutsAndFolders) {
    Kit at;
    ASSERT_EQ(at.run({"/silent"}), exit_installed);
    // SYSTEM from a deployment tool: another profile altogether.
    at.machine.account.account.sid = "S-1-5-18";
    at.machine.shell.folders[SpecialFolder::desktop] = "C:\\Windows\\Profile\\Desktop";
    at.machine.shell.folders[SpecialFolder::programs] = "C:\\Windows\\Profile\\Programs";
    ASSERT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_FALSE(at.said_starting("not removed "));
    at.expect_undone();
}

// The kit reached as E:\Alias too, and a copy of it, record and all, in E:\Moved.
TEST(ProgramFolderIdentity, OnlyTheRecordedFolderUnderAnySpellingRunsTheRecord) {
    Kit at;
    ASSERT_EQ(at.run({"/silent"}), exit_installed);
    const auto record_bytes = at.machine.read(setup_record_path(kit));
    at.machine.make_folders("E:\\");
    std::filesystem::copy(at.machine.files.host_path(kit), at.machine.files.host_path("E:\\Moved"),
                          std::filesystem::copy_options::recursive);
    at.machine.location.folder = "E:\\Moved";
    for (const auto& command : {"/verify", "/repair", "/uninstall"}) {
        EXPECT_EQ(at.run({command, "/silent"}), exit_step_failed) << command;
        ASSERT_EQ(at.console.err_lines.size(), 1u);
        EXPECT_EQ(at.console.err_lines[0],
                  "The setup record E:\\Moved\\morvane-setup.ini belongs to the program folder " +
                      kit +
                      ", not to E:\\Moved: run the setup from the folder it was installed "
                      "from.");
        EXPECT_EQ(at.machine.read("E:\\Moved\\morvane-setup.ini"), record_bytes);
    }
    // A record of an earlier release names no folder: taken as this one's, as before.
    auto earlier = at.record();
    earlier.program_folder.clear();
    at.machine.write("E:\\Moved\\morvane-setup.ini", to_text(earlier));
    EXPECT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_TRUE(at.said_starting("not removed " + kit + "\\saspgm\\autoexec.sas: "));

    // Under Wine the test cannot make a folder link; the script through M: covers that.
    std::error_code no_links;
    std::filesystem::create_directory_symlink(at.machine.files.host_path(kit),
                                              at.machine.files.host_path("E:\\Alias"), no_links);
    if (no_links)
        GTEST_SKIP() << no_links.message();
    // A record that names the kit through a link would be steered by whoever changes it.
    const auto honest = at.machine.read(setup_record_path(kit));
    auto linked = at.record();
    linked.program_folder = "E:\\Alias";
    at.save(linked);
    at.machine.location.folder = kit;
    EXPECT_EQ(at.run({"/repair", "/silent"}), exit_step_failed);
    EXPECT_EQ(at.console.err_lines,
              std::vector<std::string>{link_refused("E:\\Alias").description});
    at.machine.write(setup_record_path(kit), honest);
    at.machine.location.folder = "E:\\Alias";
    EXPECT_EQ(at.run({"/verify", "/silent"}), exit_installed);
    EXPECT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
    EXPECT_FALSE(at.said_starting("not removed "));
    at.expect_undone();
}

// A run stopped part-way, as when a deployment tool kills it, leaves the record naming its
// journal; what only the journal knows, even after a last state that a power cut left
// torn or full of zeros, is still undone by the next run, and no journal is left.
TEST(RecordTrust, AStoppedRunsJournalIsReadToItsLastWholeStateByTheNextRun) {
    const auto journals_in = [](Kit& at) {
        std::vector<std::string> journals;
        for (const auto& name : at.machine.files_in(kit))
            if (name.ends_with(".journal"))
                journals.push_back(name);
        return journals;
    };
    for (const bool repair_first : {false, true}) {
        SCOPED_TRACE(repair_first ? "repair, then uninstall" : "uninstall");
        Kit at;
        // A run that fails ends its journal as one that completes does.
        at.machine.set_read_only(config, true);
        ASSERT_EQ(at.run({"/silent"}), exit_step_failed);
        at.machine.set_read_only(config, false);
        EXPECT_TRUE(at.record().journal.empty());
        ASSERT_EQ(at.run({"/silent"}), exit_installed);
        EXPECT_TRUE(journals_in(at).empty());

        // The stopped run records again what the record forgot: its last two files and
        // its SASAUTOS entry, which a repair finds listed and would take for the user's
        // own. The first save writes the record; the entry is in the journal's second state.
        const auto record_path = setup_record_path(kit);
        auto forgetful = at.record();
        const std::vector<RecordedFile> last_files(forgetful.files_written.end() - 2,
                                                   forgetful.files_written.end());
        const auto entry = forgetful.sasautos.back();
        forgetful.files_written.resize(forgetful.files_written.size() - 2);
        forgetful.sasautos.pop_back();
        at.save(forgetful);
        {
            SetupJournal stopped(at.machine.files, at.machine.hashing, record_path, "sas9");
            ASSERT_FALSE(stopped.open());
            for (const auto& file : last_files) {
                ASSERT_FALSE(stopped.file_written(file.path, at.machine.read(file.path)));
                ASSERT_FALSE(stopped.save());
            }
            stopped.sas_config_updated(entry.config_file,
                                       {entry.outcome, entry.change, entry.macro_folder});
            ASSERT_FALSE(stopped.save());
        }
        const auto journal = journal_path(record_path, at.record().journal);
        ASSERT_EQ(journals_in(at).size(), 1u);
        auto zeroed = journal_state(forgetful);
        std::fill(zeroed.begin() + 40, zeroed.begin() + 80, '\0');
        for (const auto& torn : {zeroed, std::string("; Morvane setup record\r\n[Rel")})
            at.machine.files.append_file(journal, torn);
        const auto read = read_setup_record(at.machine.files, record_path);
        ASSERT_TRUE(read.ok()) << read.error().description;
        EXPECT_EQ(read.value().sasautos.size(), 1u);

        if (repair_first) {
            ASSERT_EQ(at.run({"/repair", "/silent"}), exit_installed);
        }
        ASSERT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
        EXPECT_FALSE(at.machine.exists(journal));
        EXPECT_EQ(at.machine.read(config), original_config);
        at.expect_undone();
    }
}

// Only a journal of the record's own naming beside it is read or deleted.
TEST(RecordTrust, AJournalTheRecordNamesElsewhereIsNeitherReadNorDeleted) {
    for (const std::string name :
         {"notes.txt", "..\\victim.txt", "morvane-setup.ini.{1}.journal\\victim.txt",
          "morvane-setup.ini.{..\\..\\victim}.journal"}) {
        SCOPED_TRACE(name);
        Kit at;
        ASSERT_EQ(at.run({"/silent"}), exit_installed);
        auto record = at.record();
        record.journal = name;
        auto tempting = record;
        tempting.files_written.push_back({kit + "\\saspgm\\keep.sas", sha256_of("mine")});
        at.machine.write(kit + "\\saspgm\\keep.sas", "mine");
        const auto victim = journal_path(setup_record_path(kit), name);
        at.machine.make_folders(victim.substr(0, victim.rfind('\\')));
        at.machine.write(victim, journal_state(tempting));
        at.save(record);
        EXPECT_EQ(read_setup_record(at.machine.files, setup_record_path(kit))
                      .value()
                      .files_written.size(),
                  record.files_written.size());
        ASSERT_EQ(at.run({"/uninstall", "/silent"}), exit_installed);
        EXPECT_EQ(at.machine.read(victim), journal_state(tempting));
        EXPECT_EQ(at.machine.read(kit + "\\saspgm\\keep.sas"), "mine");
        at.expect_undone();
    }
}

} // namespace
} // namespace morvane::testing
