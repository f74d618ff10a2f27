#include "app/setup_record.hpp"
#include "app/sha256.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
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
    record.folders_created = {value, "C:\\Users\\ana\\Start Menu\\Programs\\Talmora"};
    record.files_written = {{value, sha256_hex(value)}, {"D:\\Kit\\morvane.cfg", sha256_hex("")}};
    record.shortcuts_saved = {value};
    record.sasautos = RecordedSasautos{value, value, SasautosOutcome::updated, {}};
    record.sasautos->change.insertions = {{value, true}, {"", false}, {value, false}};
    record.sasautos->change.line_ends_rewritten = true;
    return record;
}

void expect_same(const SetupRecord& read, const SetupRecord& written) {
    EXPECT_EQ(read.sas_version, written.sas_version);
    EXPECT_EQ(read.folders_created, written.folders_created);
    ASSERT_EQ(read.files_written.size(), written.files_written.size());
    for (std::size_t i = 0; i < read.files_written.size(); ++i) {
        EXPECT_EQ(read.files_written[i].path, written.files_written[i].path);
        EXPECT_EQ(read.files_written[i].sha256, written.files_written[i].sha256);
    }
    EXPECT_EQ(read.shortcuts_saved, written.shortcuts_saved);
    ASSERT_EQ(read.sasautos.has_value(), written.sasautos.has_value());
    if (!read.sasautos)
        return;
    const auto &r = *read.sasautos, &w = *written.sasautos;
    EXPECT_EQ(r.config_file, w.config_file);
    EXPECT_EQ(r.macro_folder, w.macro_folder);
    EXPECT_EQ(r.outcome, w.outcome);
    EXPECT_EQ(r.change.final_empty_line_added, w.change.final_empty_line_added);
    EXPECT_EQ(r.change.line_ends_rewritten, w.change.line_ends_rewritten);
    ASSERT_EQ(r.change.insertions.size(), w.change.insertions.size());
    for (std::size_t i = 0; i < r.change.insertions.size(); ++i) {
        EXPECT_EQ(r.change.insertions[i].moved, w.change.insertions[i].moved);
        EXPECT_EQ(r.change.insertions[i].blank_added, w.change.insertions[i].blank_added);
    }
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
    for (const auto& value : values) {
        SCOPED_TRACE(value);
        const auto written = record_holding(value);
        const auto read = parse_setup_record(to_text(written));
        ASSERT_TRUE(read.ok()) << read.error().description;
        expect_same(read.value(), written);
    }
}

TEST(SetupRecordText, OutcomesAndAPartialInstallationComeBack) {
    for (const auto outcome : {SasautosOutcome::already_listed, SasautosOutcome::no_list}) {
        SetupRecord written;
        written.sas_version = "sas94";
        written.folders_created = {"D:\\Kit\\saspgm"};
        written.sasautos = RecordedSasautos{"C:\\SAS\\SASV9.CFG", "D:\\Kit\\saspgm", outcome, {}};
        written.sasautos->change.final_empty_line_added = true;
        const auto read = parse_setup_record(to_text(written));
        ASSERT_TRUE(read.ok()) << read.error().description;
        expect_same(read.value(), written);
    }
    SetupRecord only_release;
    only_release.sas_version = "sas8";
    const auto read = parse_setup_record(to_text(only_release));
    ASSERT_TRUE(read.ok());
    expect_same(read.value(), only_release);
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
        {"; only a comment\r\n", "names no release"},
        {"[Release]\nVersion=sas9\n[Files]\n", "line 3 (\"[Files]\"): unknown section"},
        {"Version=sas9\n", "line 1 (\"Version=sas9\"): a setting before the first section"},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\nFile=b\nSHA256=" + sha,
         "line 4 (\"File=a\"): File= is not followed by its SHA256="},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\n", "line 4"},
        {"[Release]\nVersion=sas9\n[Files written]\nFile=a\nSHA256=ABC\n",
         "line 5 (\"SHA256=ABC\"): SHA256= needs 64"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=done\n",
         "line 5 (\"Outcome=done\")"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\n", "line 3"},
        {"[Release]\nVersion=sas9\n[SAS configuration]\nFile=c\nOutcome=updated\nMoved=x\n",
         "line 6 (\"Moved=x\"): Moved= is not followed by its BlankAdded="},
        {"[Release]\nVersion=sas9\nVersion=sas92\n", "line 3 (\"Version=sas92\"): a second"},
        {"[Release]\nVersion=sas9\n[Release]\n", "line 3"},
        {"[Release]\nVersion=sas9\n[Shortcuts saved]\nlost line\n", "line 4 (\"lost line\")"},
    };
    for (const auto& [text, expected] : cases) {
        const auto read = parse_setup_record(text);
        ASSERT_FALSE(read.ok()) << text;
        EXPECT_NE(read.error().description.find(expected), std::string::npos)
            << read.error().description;
    }
}

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

} // namespace
} // namespace morvane::testing
