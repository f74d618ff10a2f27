#include "app/commands/command_line.hpp"
#include "app/record/record_journal.hpp"
#include "app/record/setup_record.hpp"
#include "program/setup_program.hpp"
#include "tests/doubles/program_doubles.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace morvane::testing {

// tests/data/records/*.ini by file name.
extern const std::map<std::string, std::string> golden_records;

namespace {

// Every byte but the line breaks, which no path or line of a configuration file holds.
std::string every_byte() {
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n')
            bytes += static_cast<char>(c);
    return bytes;
}

SetupRecord record_holding(const std::string& value) {
    SetupRecord record;
    record.sas_version = value;
    record.scope = ShortcutScope::current_user;
    record.program_folder = value;
    record.user = RecordedUser{value, value, "C:\\Users\\ana\\Start Menu\\Programs"};
    record.folders_created = {value, "C:\\Users\\ana\\Start Menu\\Programs\\Talmora"};
    record.files_written = {{value, sha256_of(value)}, {"D:\\Kit\\morvane.cfg", sha256_of("")}};
    record.shortcuts_saved = {value};
    // A later installation's or repair's update comes in a section of its own.
    record.sasautos = {{value, value, SasautosOutcome::updated, {}},
                       {value, value, SasautosOutcome::updated, {{{1, value, true}}, true, false}}};
    record.sasautos[0].change.insertions = {{0, value, true}, {1, "", false}, {7, value, false}};
    record.sasautos[0].change.line_ends_rewritten = true;
    return record;
}

// Every field with the length of every list, so that two records compare in one go.
std::vector<std::string> fields(const SetupRecord& r) {
    std::vector<std::string> all{r.sas_version, std::to_string(r.folders_created.size())};
    all.push_back(r.scope ? std::to_string(static_cast<int>(*r.scope)) : "none");
    all.push_back(r.program_folder);
    if (r.user)
        all.insert(all.end(), {r.user->sid, r.user->desktop, r.user->programs});
    all.insert(all.end(), r.folders_created.begin(), r.folders_created.end());
    all.push_back(std::to_string(r.files_written.size()));
    for (const auto& file : r.files_written)
        all.insert(all.end(), {file.path, file.sha256});
    all.push_back(std::to_string(r.shortcuts_saved.size()));
    all.insert(all.end(), r.shortcuts_saved.begin(), r.shortcuts_saved.end());
    all.push_back(std::to_string(r.sasautos.size()));
    for (const auto& s : r.sasautos) {
        all.insert(all.end(),
                   {s.config_file, s.macro_folder, std::to_string(static_cast<int>(s.outcome)),
                    std::to_string(s.change.final_empty_line_added),
                    std::to_string(s.change.line_ends_rewritten)});
        for (const auto& insertion : s.change.insertions)
            all.insert(all.end(), {std::to_string(insertion.setting), insertion.moved,
                                   std::to_string(insertion.blank_added)});
    }
    return all;
}

TEST(SetupRecordText, EveryValueComesBackAsItWas) {
    const std::string values[] = {
        "C:\\Program Files\\Morvane Kit\\saspgm",
        "",
        " ",
        "  \"!SASROOT\\core\\sasmacro\"  ",
        "'!SASROOT\\core\\sasmacro' ",
        "\"",
        "\"quoted\"",
        "a\"",
        "key=value; not a comment",
        "; looks like a comment",
        "[Release]",
        "\t'C:\\SAS\\V91\\core\\sasmacro' /* old */\t",
        "D:\\Kit \xC3\xA9t\xC3\xA9 \xE9\xFF",
        std::string("nul\0inside", 10),
        every_byte(),
    };
    std::vector<SetupRecord> records;
    for (const auto& value : values)
        records.push_back(record_holding(value));
    // A partial installation, and the outcomes that change nothing.
    records.push_back(
        {"sas94", ShortcutScope::all_users, "", {}, {"D:\\Kit\\saspgm"}, {}, {}, {}, {}});
    for (const auto outcome : {SasautosOutcome::already_listed, SasautosOutcome::no_list}) {
        SetupRecord unchanged{"sas8", {}, "", {},
                              {},     {}, {}, {RecordedSasautos{"C:\\SASV8.CFG", "", outcome, {}}},
                              {}};
        unchanged.sasautos[0].change.final_empty_line_added = true;
        records.push_back(unchanged);
    }
    for (const auto& written : records) {
        const auto read = parse_setup_record(to_text(written));
        ASSERT_TRUE(read.ok()) << read.error().description;
        EXPECT_EQ(fields(read.value()), fields(written));
    }
}

TEST(SetupRecordText, ReadsAfterAnEditorSavedItWithAByteOrderMarkOrOtherLineEnds) {
    const auto written = record_holding("D:\\Kit\\saspgm");
    std::string crlf = to_text(written), cr, lf;
    for (const char c : crlf) {
        cr += c == '\n' ? "" : std::string(1, c);
        lf += c == '\r' ? "" : std::string(1, c);
    }
    for (const auto& text : {"\xEF\xBB\xBF" + crlf, cr, "\xEF\xBB\xBF" + lf}) {
        const auto read = parse_setup_record(text);
        ASSERT_TRUE(read.ok()) << read.error().description;
        EXPECT_EQ(fields(read.value()), fields(written));
    }
}

TEST(SetupRecordText, PathsStayReadableAndLinesEndInCrLf) {
    const auto text = to_text(record_holding("D:\\Kit\\saspgm\\addseq.sas"));
    EXPECT_NE(text.find("\r\nFile=D:\\Kit\\saspgm\\addseq.sas\r\nSHA256="), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find('\r') + 1);
}

TEST(SetupRecordText, ARecordThatCannotBeReadSaysWhere) {
    const std::string sha(64, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {"", "names no release"},
        {"[Release]\nVersion=sas9\n[Files]\n", "line 3 (\"[Files]\"): unknown section"},
        {"Version=sas9\n", "line 1 (\"Version=sas9\"): a setting before the first section"},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\nFile=b\nSHA256=" + sha,
         "line 4 (\"File=a\"): File= is not followed by its SHA256="},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\nSHA256=ABC\n",
         "line 5 (\"SHA256=ABC\"): SHA256= needs 64"},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\nSHA256=" + sha + "0\n",
         "SHA256= needs 64"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=done\n",
         "line 5 (\"Outcome=done\")"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\n", "line 3"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=updated\nSetting=0\n"
         "Moved=x\n",
         "line 7 (\"Moved=x\"): Moved= is not followed by its BlankAdded="},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=updated\nMoved=x\n",
         "line 6 (\"Moved=x\"): Moved= without the Setting="},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=updated\nSetting=-1\n",
         "line 6 (\"Setting=-1\"): Setting= needs"},
        {"[Release]\nVersion=sas9\nVersion=sas92\n", "line 3 (\"Version=sas92\"): a second"},
        {"[Release]\nVersion=sas9\nScope=everyone\n", "line 3 (\"Scope=everyone\"): Scope= must"},
        {"[Release]\nVersion=sas9\n[Shortcuts saved]\nlost line\n", "line 4 (\"lost line\")"},
    };
    for (const auto& [text, expected] : cases) {
        const auto read = parse_setup_record(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_NE(read.error().description.find(expected), std::string::npos)
            << read.error().description;
    }
}

// Records as a release wrote them after installing SAS 9.1's configuration file: an
// installation writes each byte for byte, it reads back, and the uninstallation it steers
// gives the configuration file back as it was. A new format goes into a file of its own.
struct KeptRecord {
    const char* file;
    std::string sas_config;
};

class KeptRecords : public ::testing::TestWithParam<KeptRecord> {};

TEST_P(KeptRecords, InstallationWritesItAndUninstallationFollowsIt) {
    const auto& kept = GetParam();
    const std::string config = "C:\\SAS\\V91\\nls\\en\\SASV9.CFG";
    TestMachine machine;
    machine.prepare_program_folder();
    machine.make_folders("C:\\SAS\\V91\\nls\\en");
    machine.write(config, kept.sas_config);
    machine.registry.set_string(sas_key + "9.1", "DefaultRoot", "C:\\SAS\\V91");
    RecordingConsole console;
    FakeWindowHost host;
    FakeSingleInstance instance;
    ProgramServices services{
        machine.platform, console, host, instance, [] { return std::string("T"); }, "setup.exe"};
    ASSERT_EQ(run_setup_program({"/silent"}, services), exit_installed);
    const auto written = machine.read(setup_record_path("D:\\Tools\\Kit"));
    ASSERT_TRUE(golden_records.count(kept.file)) << kept.file;
    const auto& bytes = golden_records.at(kept.file);
    // An installation now also keeps the scope of its shortcuts; the rest is as it was.
    auto with_scope = bytes;
    with_scope.insert(with_scope.find("Version=sas9\r\n") + 14, "Scope=current user\r\n");
    EXPECT_EQ(written, with_scope);
    const auto read = parse_setup_record(bytes);
    ASSERT_TRUE(read.ok()) << read.error().description;
    EXPECT_EQ(to_text(read.value()), bytes);

    ASSERT_EQ(run_setup_program({"/uninstall", "/silent"}, services), exit_installed);
    EXPECT_EQ(machine.read(config), kept.sas_config);
}

INSTANTIATE_TEST_SUITE_P(
    SetupRecordFile, KeptRecords,
    ::testing::Values(KeptRecord{"updated.ini",
                                 "-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n"},
                      KeptRecord{"updated-one-line-lf.ini",
                                 "-SET SASAUTOS (\"!SASROOT\\core\\sasmacro\")\n-MEMSIZE 0\n"},
                      KeptRecord{"already-listed.ini",
                                 "-SET SASAUTOS (\r\n  \"D:\\Tools\\Kit\\saspgm\"\r\n)\r\n"},
                      KeptRecord{"no-list.ini", "-SET MYVAR 1\r\n"}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.file))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

TEST(SetupRecordFile, MissingIsNothingRecordedAndUnreadableNamesTheFile) {
    TestMachine machine;
    machine.prepare_program_folder();
    const auto path = setup_record_path("D:\\Tools\\Kit");
    EXPECT_EQ(path, "D:\\Tools\\Kit\\morvane-setup.ini");
    EXPECT_TRUE(read_setup_record(machine.files, path).error().is_not_found());
    machine.write(path, "garbage");
    const auto read = read_setup_record(machine.files, path);
    ASSERT_FALSE(read.ok());
    EXPECT_FALSE(read.error().is_not_found());
    EXPECT_NE(read.error().description.find(path), std::string::npos);
}

// A journal holds whole states one after another; only the last can have been cut short or
// left with zeros by a power cut, and then the one before it is the latest.
TEST(SetupJournalText, TheLatestStateIsTheLastWhoseChecksumHolds) {
    std::string states[3];
    for (int i = 0; i < 3; ++i)
        states[i] = journal_state(record_holding("state " + std::to_string(i + 1)));
    auto zeroed = states[2];
    std::fill(zeroed.begin() + 30, zeroed.begin() + 60, '\0');
    const auto torn = states[2].substr(0, states[2].size() - 5);
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {states[0], "state 1"},
        {states[0] + states[1], "state 2"},
        {states[0] + states[1] + states[2], "state 3"},
        {states[0] + states[1] + torn, "state 2"},
        {states[0] + states[1] + zeroed, "state 2"},
        {zeroed, ""},
        // Journals that a stopped run of any earlier build left must still be read, a
        // byte of the code page's upper half included.
        {"[Release]\r\nVersion=9.3\r\n; end of state fea65110cba1ff41\r\n"
         "[Release]\r\nVersion=9.4\r\nProgramFolder=D:\\Jos\xE9"
         "\r\n; end of state 69d531cdde90f373\r\n",
         "9.4"},
    };
    for (const auto& [journal, expected] : cases) {
        const auto latest = latest_journal_state(journal);
        ASSERT_EQ(latest.has_value(), !expected.empty()) << expected;
        if (latest) {
            EXPECT_EQ(parse_setup_record(std::string(*latest)).value().sas_version, expected);
        }
    }
}

} // namespace
} // namespace morvane::testing
