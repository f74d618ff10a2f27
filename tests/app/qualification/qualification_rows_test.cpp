#include "app/qualification/qualification_rows.hpp"
#include "tests/doubles/test_machine.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace morvane::testing {
namespace {

const std::string listed_config =
    "-SET SASAUTOS (\r\n  \"D:\\Tools\\Kit\\saspgm\"\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n";

// Rows: the seventeen macro library files, morvane.cfg, the two shortcuts, the SAS
// configuration file.
constexpr std::size_t addseq = 1, cdisc = 2, desktop_shortcut = 18, sas_config = 20;

// One row damaged, or none; every other row passes.
struct MachineState {
    std::string name;
    std::function<void(FoundItems&)> damage;
    std::size_t row = 0;
    ItemResult result = ItemResult::pass;
    std::string outcome = "FAIL: 1 of 21 items failed";
    std::string sasautos_finding = "-SET SASAUTOS on line 1: folder 1 of 2 folders.";
};

class QualificationRows : public ::testing::TestWithParam<MachineState> {
  protected:
    QualificationRows() {
        machine.prepare_program_folder();
        items = installation_items(record_with_sas91(), sas_releases[1],
                                   ShortcutScope::current_user, machine.platform)
                    .value();
        found.sas_config = listed_config;
        for (const auto& file : items.files())
            found.files.push_back(file.content);
        for (const auto& shortcut : items.shortcuts)
            found.shortcuts.push_back(shortcut);
    }
    TestMachine machine;
    InstallationItems items;
    FoundItems found{{}, {}, std::string()};
};

TEST_P(QualificationRows, FollowFromWhatIsFound) {
    GetParam().damage(found);
    const auto rows = qualification_rows(items, found, machine.hashing, machine.encoding).value();
    ASSERT_EQ(rows.size(), 21u);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].result, i == GetParam().row ? GetParam().result : ItemResult::pass)
            << "row " << i << ": " << rows[i].item;
    EXPECT_EQ(rows[sas_config].item, "C:\\SAS\\V91\\nls\\en\\SASV9.CFG");
    EXPECT_EQ(std::get<Finding>(rows[sas_config].evidence).text, GetParam().sasautos_finding);
    EXPECT_EQ(outcome_text(outcome_of(rows)), GetParam().outcome);
}

const PlatformError not_found{PlatformError::Kind::not_found, "not there"};

INSTANTIATE_TEST_SUITE_P(
    States, QualificationRows,
    ::testing::Values(
        MachineState{"AllPresent", [](FoundItems&) {}, 0, ItemResult::pass, "PASS"},
        MachineState{"OneMissing", [](FoundItems& found) { found.files[addseq] = not_found; },
                     addseq, ItemResult::missing},
        MachineState{"OneChanged", [](FoundItems& found) { found.files[cdisc] = std::string("x"); },
                     cdisc, ItemResult::fail},
        MachineState{"ShortcutMemberChanged",
                     [](FoundItems& found) {
                         auto edited = found.shortcuts[0].value();
                         edited.show_command = 1;
                         found.shortcuts[0] = edited;
                     },
                     desktop_shortcut, ItemResult::fail},
        MachineState{"NoList",
                     [](FoundItems& found) { found.sas_config = std::string("-SET MYVAR 1\r\n"); },
                     sas_config, ItemResult::note, "PASS with notes",
                     "no list: the file has no SASAUTOS setting with a folder list, so the macro "
                     "folder is not on the autocall path."},
        MachineState{"ListedInOneSettingOfTwo",
                     [](FoundItems& found) {
                         found.sas_config =
                             std::string("-SET SASAUTOS (\"!SASROOT\\core\")\r\n"
                                         "/* -SET SASAUTOS (\"elsewhere\") */\r\r"
                                         "-set sasautos (\n \"d:\\tools\\kit\\SASPGM\\\"\n)\n");
                     },
                     sas_config, ItemResult::missing, "FAIL: 1 of 21 items failed",
                     "-SET SASAUTOS on line 1: not listed among its 1 folder; -SET SASAUTOS on "
                     "line 4: folder 1 of 1 folder."}),
    [](const auto& info) { return info.param.name; });

TEST_F(QualificationRows, FileRowsCarryBothDigestsAndShortcutRowsEveryMember) {
    found.files[cdisc] = std::string("changed");
    auto edited = found.shortcuts[0].value();
    edited.arguments += " -nosplash";
    found.shortcuts[0] = edited;
    found.shortcuts[1] = PlatformError{PlatformError::Kind::other, "Unreadable."};
    const auto rows = qualification_rows(items, found, machine.hashing, machine.encoding).value();

    const auto& intact = std::get<FileEvidence>(rows[addseq].evidence);
    EXPECT_EQ(intact.found_sha256, intact.expected_sha256);
    EXPECT_EQ(intact.found_size, intact.expected_size);
    const auto& changed = std::get<FileEvidence>(rows[cdisc].evidence);
    EXPECT_EQ(changed.expected_sha256, sha256_of(items.files()[cdisc].content));
    EXPECT_EQ(changed.found_sha256,
              "d67e2e944994496c8d8ec76eed0cf9f09679448d584b532bebf941852a37f5ed");
    EXPECT_EQ(changed.found_size, 7u);

    std::vector<std::string> names, differing;
    for (const auto& member : std::get<ShortcutEvidence>(rows[desktop_shortcut].evidence).members) {
        names.push_back(member.member);
        if (member.found != member.expected)
            differing.push_back(member.member);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Target", "Arguments", "Working folder", "Icon",
                                               "Description", "Show command"}));
    EXPECT_EQ(differing, std::vector<std::string>{"Arguments"});
    const auto& unreadable = std::get<ShortcutEvidence>(rows[19].evidence);
    EXPECT_EQ(unreadable.unreadable, "Unreadable.");
    EXPECT_FALSE(unreadable.members.at(0).found);
    EXPECT_EQ(rows[19].result, ItemResult::fail);
}

} // namespace
} // namespace morvane::testing
