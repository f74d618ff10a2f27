#include "app/qualification/qualification_rows.hpp"

#include "integration/sas_config_update.hpp"

namespace morvane {
namespace {

std::string show_command_text(int show_command) {
    switch (show_command) {
    case 1:
        return "1 (normal window)";
    case 3:
        return "3 (maximised)";
    case 7:
        return "7 (minimised)";
    default:
        return std::to_string(show_command);
    }
}

std::vector<std::pair<std::string, std::string>> members_of(const Shortcut& shortcut) {
    return {{"Target", shortcut.target_path},
            {"Arguments", shortcut.arguments},
            {"Working folder", shortcut.working_directory},
            {"Icon", shortcut.icon_location},
            {"Description", shortcut.description},
            {"Show command", show_command_text(shortcut.show_command)}};
}

// What could not be read: missing when it is not there, else not what this program wrote.
ItemResult unread_result(const PlatformError& error) {
    return error.is_not_found() ? ItemResult::missing : ItemResult::fail;
}

Result<QualificationRow> file_row(const ExpectedFile& expected, const Result<std::string>& found,
                                  Hashing& hashing) {
    const auto expected_sha256 = hashing.sha256_hex(expected.content);
    if (!expected_sha256.ok())
        return expected_sha256.error();
    FileEvidence evidence{expected_sha256.value(), expected.content.size(), {}, {}, {}};
    if (!found.ok()) {
        if (!found.error().is_not_found())
            evidence.unreadable = found.error().description;
        return QualificationRow{expected.path, unread_result(found.error()), evidence};
    }
    const auto found_sha256 = hashing.sha256_hex(found.value());
    if (!found_sha256.ok())
        return found_sha256.error();
    evidence.found_sha256 = found_sha256.value();
    evidence.found_size = found.value().size();
    return QualificationRow{expected.path,
                            found.value() == expected.content ? ItemResult::pass : ItemResult::fail,
                            evidence};
}

QualificationRow shortcut_row(const Shortcut& expected, const Result<Shortcut>& found) {
    ShortcutEvidence evidence;
    const auto expected_members = members_of(expected);
    const auto found_members =
        found.ok() ? members_of(found.value()) : decltype(expected_members){};
    for (std::size_t i = 0; i < expected_members.size(); ++i)
        evidence.members.push_back(
            {expected_members[i].first, expected_members[i].second,
             found.ok() ? std::optional(found_members[i].second) : std::nullopt});
    if (!found.ok()) {
        if (!found.error().is_not_found())
            evidence.unreadable = found.error().description;
        return {expected.file_path, unread_result(found.error()), evidence};
    }
    return {expected.file_path,
            same_shortcut_members(found.value(), expected) ? ItemResult::pass : ItemResult::fail,
            evidence};
}

std::string placement_text(const SasautosPlacement& placement) {
    const auto setting = "-SET SASAUTOS on line " + std::to_string(placement.line) + ": ";
    const auto entries =
        std::to_string(placement.entries) + (placement.entries == 1 ? " folder" : " folders");
    if (!placement.position)
        return setting + "not listed among its " + entries;
    return setting + "folder " + std::to_string(*placement.position + 1) + " of " + entries;
}

QualificationRow sasautos_row(const InstallationItems& expected, const Result<std::string>& found,
                              TextEncoding& encoding) {
    const auto& path = expected.sas_config_file;
    if (!found.ok())
        return {path, unread_result(found.error()),
                Finding{found.error().is_not_found() ? "The file is not there."
                                                     : found.error().description}};
    const auto placements = sas_config_placements(found.value(), encoding, expected.macro_folder);
    if (!placements.ok())
        return {path, ItemResult::missing,
                Finding{"The macro folder cannot be named in this file: " +
                        placements.error().description}};
    if (placements.value().empty())
        return {path, ItemResult::note,
                Finding{"no list: the file has no SASAUTOS setting with a folder list, so the "
                        "macro folder is not on the autocall path."}};
    std::string text;
    bool listed_everywhere = true;
    for (const auto& placement : placements.value()) {
        text += (text.empty() ? "" : "; ") + placement_text(placement);
        listed_everywhere &= placement.position.has_value();
    }
    return {path, listed_everywhere ? ItemResult::pass : ItemResult::missing, Finding{text + "."}};
}

} // namespace

FoundItems found_items(const InstallationItems& expected, FileSystem& files, Shell& shell) {
    FoundItems found{{}, {}, files.read_file(expected.sas_config_file)};
    for (const auto& file : expected.files())
        found.files.push_back(files.read_file(file.path));
    for (const auto& shortcut : expected.shortcuts)
        found.shortcuts.push_back(shell.read_shortcut(shortcut.file_path));
    return found;
}

Result<std::vector<QualificationRow>> qualification_rows(const InstallationItems& expected,
                                                         const FoundItems& found, Hashing& hashing,
                                                         TextEncoding& encoding) {
    std::vector<QualificationRow> rows;
    const auto files = expected.files();
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto row = file_row(files[i], found.files.at(i), hashing);
        if (!row.ok())
            return row.error();
        rows.push_back(row.value());
    }
    for (std::size_t i = 0; i < expected.shortcuts.size(); ++i)
        rows.push_back(shortcut_row(expected.shortcuts[i], found.shortcuts.at(i)));
    rows.push_back(sasautos_row(expected, found.sas_config, encoding));
    return rows;
}

QualificationOutcome outcome_of(const std::vector<QualificationRow>& rows) {
    QualificationOutcome outcome;
    outcome.items = rows.size();
    for (const auto& row : rows) {
        outcome.failed += row.result == ItemResult::fail || row.result == ItemResult::missing;
        outcome.notes += row.result == ItemResult::note;
    }
    return outcome;
}

std::string outcome_text(const QualificationOutcome& outcome) {
    if (outcome.failed > 0)
        return "FAIL: " + std::to_string(outcome.failed) + " of " + std::to_string(outcome.items) +
               " items failed";
    return outcome.notes > 0 ? "PASS with notes" : "PASS";
}

} // namespace morvane
