#include "app/commands/command_line.hpp"
#include "app/lifecycle/uninstall.hpp"
#include "integration/sas_config_update.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

const std::string kit = "D:\\Tools\\Kit";
const std::string programs = "C:\\Users\\ana\\Start Menu\\Programs";
const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
// With a byte order mark, which the undo must give back with the rest.
const std::string stock_config =
    "\xEF\xBB\xBF-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";
const std::string entry = "  \"D:\\Tools\\Kit\\saspgm\"\r\n";

class Uninstall : public ::testing::Test {
  protected:
    Uninstall() {
        machine.prepare_program_folder(kit);
        machine.write(kit + "\\Morvane_Post_Installation_setup.exe", "MZ");
        machine.make_folders("C:\\SAS\\V91\\nls\\en");
        machine.write(config, stock_config);
    }

    // Does what an installation does and records it, stopping after `steps` of its five
    // recorded steps: two macro files, the shortcuts, the SASAUTOS update, morvane.cfg.
    void install(int steps, SasautosOutcome outcome = SasautosOutcome::updated) {
        record.sas_version = "sas9";
        record.folders_created = {programs + "\\Talmora", programs + "\\Talmora\\MORVANE",
                                  kit + "\\saspgm"};
        for (const auto& folder : record.folders_created)
            machine.make_folders(folder);
        const auto write = [&](const std::string& path) {
            machine.write(path, "written " + path);
            record.files_written.push_back({path, sha256_of("written " + path)});
        };
        const std::function<void()> step[] = {
            [&] { write(kit + "\\saspgm\\autoexec.sas"); },
            [&] { write(kit + "\\saspgm\\addseq.sas"); },
            [&] {
                for (const auto& folder :
                     {std::string("C:\\Users\\ana\\Desktop"), programs + "\\Talmora\\MORVANE"}) {
                    save_shortcut(folder + "\\Morvane.lnk", kit);
                    record.shortcuts_saved.push_back(folder + "\\Morvane.lnk");
                }
            },
            [&] {
                const auto update = update_sas_config_file(machine.files, machine.encoding,
                                                           kit + "\\saspgm", config);
                ASSERT_TRUE(update.ok());
                ASSERT_EQ(update.value().outcome, outcome);
                record.sasautos = {RecordedSasautos{config, update.value().macro_folder, outcome,
                                                    update.value().change}};
            },
            [&] { write(kit + "\\morvane.cfg"); },
        };
        for (int i = 0; i < steps; ++i)
            step[i]();
    }

    // A shortcut as the installation for program_folder saves it.
    void save_shortcut(const std::string& path, const std::string& program_folder) {
        Shortcut shortcut;
        shortcut.file_path = path;
        shortcut.arguments =
            " -CONFIG \"C:\\SAS\\V91\\SASV9.CFG\" -CONFIG \"" + program_folder + "\\MORVANE.CFG\"";
        ASSERT_FALSE(machine.shell.save_shortcut(shortcut));
    }

    UninstallReport run() { return run(machine.shell); }
    // program_folder: how the uninstallation names the program folder.
    UninstallReport run(Shell& shell, const std::string& program_folder = kit) {
        machine.write(setup_record_path(kit), to_text(record));
        machine.set_read_only(setup_record_path(kit), record_read_only);
        machine.location.folder = program_folder;
        return uninstall(record, own_places(record, record_with_sas91(), machine.platform),
                         machine.files, shell, machine.hashing,
                         [this](std::string_view content, std::string_view folder,
                                const SasautosChange& change) {
                             ++undo_calls;
                             return remove_sas_config_entry(content, folder, change);
                         });
    }

    std::vector<std::string> lines(const UninstallReport& report) {
        std::vector<std::string> texts;
        for (const auto& line : report.lines)
            texts.push_back(to_text(line));
        return texts;
    }

    TestMachine machine;
    SetupRecord record;
    int undo_calls = 0;
    bool record_read_only = false;
};

TEST_F(Uninstall, UndoesNewestFirstKeepsAChangedFileAndRemovesTheRecordLast) {
    install(5);
    machine.write(kit + "\\saspgm\\addseq.sas", "edited by hand");
    const auto report = run();
    EXPECT_EQ(lines(report),
              (std::vector<std::string>{
                  "removed " + kit + "\\morvane.cfg",
                  "removed " + config + ": the macro folder's SASAUTOS entry",
                  "removed " + programs + "\\Talmora\\MORVANE\\Morvane.lnk",
                  "removed C:\\Users\\ana\\Desktop\\Morvane.lnk",
                  "kept " + kit + "\\saspgm\\addseq.sas: changed since the installation",
                  "removed " + kit + "\\saspgm\\autoexec.sas",
                  "kept " + kit + "\\saspgm: it holds other files",
                  "removed " + programs + "\\Talmora\\MORVANE", "removed " + programs + "\\Talmora",
                  "removed " + setup_record_path(kit)}));
    EXPECT_TRUE(report.record_removed);
    EXPECT_EQ(machine.read(config), stock_config);
    EXPECT_EQ(machine.read(kit + "\\saspgm\\addseq.sas"), "edited by hand");
    EXPECT_FALSE(machine.exists(programs + "\\Talmora"));
}

TEST_F(Uninstall, AFolderListedBeforeStaysListed) {
    const auto listed = "-SET SASAUTOS (\r\n" + entry + ")\r\n";
    machine.write(config, listed);
    install(5, SasautosOutcome::already_listed);
    const auto report = run();
    EXPECT_EQ(undo_calls, 0);
    EXPECT_EQ(machine.read(config), listed);
    EXPECT_EQ(to_text(report.lines[1]),
              "unchanged " + config + ": the macro folder was listed before the installation");
    EXPECT_TRUE(report.record_removed);
}

TEST_F(Uninstall, AfterAFailedInstallationTheProgramFolderIsAsBefore) {
    install(1);
    // The program folder named in other letters is the same folder.
    const auto report = run(machine.shell, "D:\\TOOLS\\KIT");
    EXPECT_TRUE(report.record_removed);
    EXPECT_FALSE(machine.exists(kit + "\\saspgm"));
    EXPECT_TRUE(machine.exists(kit + "\\Morvane_Post_Installation_setup.exe"));
    EXPECT_FALSE(machine.exists(programs + "\\Talmora"));
    EXPECT_EQ(machine.read(config), stock_config);
}

TEST_F(Uninstall, WhatFailedStaysRecordedAndASecondRunFinishes) {
    install(5);
    const auto installed_config = machine.read(config);
    for (const auto& refused : {kit + "\\saspgm\\autoexec.sas", config})
        machine.set_read_only(refused, true);
    auto report = run();
    EXPECT_FALSE(report.record_removed);
    EXPECT_EQ(to_text(report.lines[1]).rfind("failed " + config + ": ", 0), 0u);
    EXPECT_EQ(to_text(report.lines[5]).rfind("failed " + kit + "\\saspgm\\autoexec.sas: ", 0), 0u);
    const auto kept = read_setup_record(machine.files, setup_record_path(kit));
    ASSERT_TRUE(kept.ok());
    ASSERT_EQ(kept.value().files_written.size(), 1u);
    EXPECT_EQ(kept.value().files_written[0].path, kit + "\\saspgm\\autoexec.sas");
    EXPECT_EQ(kept.value().folders_created, std::vector<std::string>{kit + "\\saspgm"});
    ASSERT_EQ(kept.value().sasautos.size(), 1u);
    EXPECT_EQ(kept.value().sasautos[0].change.insertions.size(), 1u);
    EXPECT_EQ(machine.read(config), installed_config);

    for (const auto& refused : {kit + "\\saspgm\\autoexec.sas", config})
        machine.set_read_only(refused, false);
    record = kept.value();
    report = run();
    EXPECT_TRUE(report.record_removed);
    EXPECT_FALSE(machine.exists(kit + "\\saspgm"));
    EXPECT_EQ(machine.read(config), stock_config);
    EXPECT_EQ(undo_calls, 2);
}

TEST_F(Uninstall, ARecordThatCannotBeRewrittenIsAFailureToo) {
    install(5);
    machine.set_read_only(kit + "\\saspgm\\autoexec.sas", true);
    record_read_only = true;
    const auto report = run();
    EXPECT_FALSE(report.record_removed);
    EXPECT_EQ(to_text(report.lines.back()).rfind("failed " + setup_record_path(kit) + ": ", 0), 0u);
}

TEST_F(Uninstall, WhatFailsMakesTheCommandFail) {
    install(5);
    machine.write(setup_record_path(kit), to_text(record));
    machine.set_read_only(kit + "\\saspgm\\autoexec.sas", true);
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
    ProgramServices services{
        machine.platform, console, host, instance, [] { return std::string("T"); }, "setup.exe"};
    EXPECT_EQ(run_setup_program({"/uninstall", "/silent"}, services), exit_step_failed);
    ASSERT_FALSE(console.err_lines.empty());
    EXPECT_EQ(console.err_lines[0].rfind("failed " + kit + "\\saspgm\\autoexec.sas: ", 0), 0u);
}

TEST_F(Uninstall, WhatThisProgramNeverMakesIsLeftAlone) {
    const std::string desktop = "C:\\Users\\ana\\Desktop";
    machine.make_folders(desktop);
    machine.make_folders("D:\\Tools\\Kit2\\saspgm");
    machine.make_folders("D:\\Empty");
    machine.make_folders(kit + "\\saspgm");
    save_shortcut(desktop + "\\Other.lnk", kit);
    save_shortcut(programs + "\\Morvane.lnk", "D:\\Tools\\Kit2");
    const std::string theirs[] = {"D:\\Tools\\Kit2\\saspgm\\a.sas",
                                  kit + "\\Morvane_Post_Installation_setup.exe",
                                  kit + "\\saspgm\\a.sas", kit + "\\saspgm.sas"};
    for (const auto& path : theirs)
        machine.write(path, "theirs");
    // Paths that lead out of the macro folder, or to a stream of a file in it.
    const std::string disguised[] = {kit + "\\saspgm\\..\\Morvane_Post_Installation_setup.exe",
                                     kit + "\\saspgm/../Morvane_Post_Installation_setup.exe",
                                     kit + "\\saspgm\\a.sas:stream"};
    record.sas_version = "sas9";
    for (const auto& path :
         {theirs[3], theirs[0], theirs[1], disguised[0], disguised[1], disguised[2]})
        record.files_written.push_back({path, sha256_of("theirs")});
    record.shortcuts_saved = {desktop + "\\Other.lnk", programs + "\\Morvane.lnk"};
    record.folders_created = {"D:\\Empty", kit};
    const auto report = run();
    ASSERT_EQ(report.lines.size(), 11u);
    for (std::size_t i = 0; i + 1 < report.lines.size(); ++i)
        EXPECT_EQ(report.lines[i].action, UninstallAction::not_ours) << to_text(report.lines[i]);
    EXPECT_EQ(to_text(report.lines[2]).rfind("not removed " + disguised[2] + ": ", 0), 0u);
    EXPECT_TRUE(report.record_removed) << "nothing is left that this program could undo";
    for (const auto& path : {desktop + "\\Other.lnk", programs + "\\Morvane.lnk", theirs[0],
                             theirs[1], theirs[2], theirs[3], std::string("D:\\Empty")})
        EXPECT_TRUE(machine.exists(path)) << path;
}

// A shell whose every shortcut fails to read with the one error.
struct UnreadableShortcuts : Shell {
    explicit UnreadableShortcuts(PlatformError::Kind kind) : error{kind, "In use."} {}
    Result<std::string> special_folder(SpecialFolder) override { return error; }
    Result<std::string> make_special_folder(SpecialFolder) override { return error; }
    Failure save_shortcut(const Shortcut&) override { return error; }
    Result<Shortcut> read_shortcut(const std::string&) override { return error; }
    Result<Shortcut> shortcut_of(const std::string&, std::string_view) override { return error; }
    PlatformError error;
};

TEST_F(Uninstall, AShortcutThatCannotBeReadIsRetriedUnlessItIsGone) {
    for (const auto kind : {PlatformError::Kind::not_found, PlatformError::Kind::other}) {
        install(5);
        UnreadableShortcuts shell(kind);
        const auto report = run(shell);
        const bool retried = kind == PlatformError::Kind::other;
        EXPECT_EQ(report.remaining.shortcuts_saved.size(), retried ? 2u : 0u);
        EXPECT_EQ(to_text(report.lines[3]) ==
                      "failed C:\\Users\\ana\\Desktop\\Morvane.lnk: In use.",
                  retried);
        record = SetupRecord();
    }
}

TEST_F(Uninstall, AnEntryNotWhereTheInstallationPutItIsNotCalledGone) {
    const std::pair<std::string, std::string> cases[] = {
        {"-SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\" a)\r\n",
         "not removed " + config + ": the macro folder is still listed in " + config +
             ", but not where this setup added it; remove it by hand"},
        {"/* -SET SASAUTOS (\"D:\\Tools\\Kit\\saspgm\") */\r\n",
         "already gone " + config + ": the macro folder is no longer listed"},
    };
    for (const auto& [content, expected] : cases) {
        machine.write(config, stock_config);
        install(4);
        machine.write(config, content);
        const auto report = run();
        EXPECT_EQ(to_text(report.lines[0]), expected);
        EXPECT_TRUE(report.record_removed);
        record = SetupRecord();
    }
}

TEST(HostFolderRemoval, NeitherAMissingFolderNorAFileGoes) {
    TestMachine machine;
    machine.make_folders("D:\\");
    machine.write("D:\\file", "f");
    EXPECT_TRUE(machine.files.remove_empty_folder("D:\\missing")->is_not_found());
    EXPECT_TRUE(machine.files.remove_empty_folder("D:\\file"));
    EXPECT_TRUE(machine.exists("D:\\file"));
}

} // namespace
} // namespace morvane::testing
