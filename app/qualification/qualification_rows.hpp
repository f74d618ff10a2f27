#pragma once

#include "app/lifecycle/installation_items.hpp"
#include "platform/file_system.hpp"
#include "platform/hashing.hpp"
#include "platform/shell.hpp"
#include "platform/text_encoding.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace morvane {

// A note tells an auditor something that does not fail the installation: a configuration
// file with no SASAUTOS list, or a warning about the installation (such as a macro folder
// that any user can change), which is a row of its own with a Finding.
enum class ItemResult { pass, fail, missing, note };

// A generated file: the bytes this program writes for this folder against those found.
struct FileEvidence {
    std::string expected_sha256;
    std::size_t expected_size = 0;
    std::optional<std::string> found_sha256; // nothing when there is no file to read
    std::optional<std::size_t> found_size;
    std::string unreadable; // the system's words when the file is there but cannot be read
};

// One member of a shortcut as this program sets it and as found; nothing found when the
// shortcut cannot be read.
struct MemberEvidence {
    std::string member;
    std::string expected;
    std::optional<std::string> found;
};

struct ShortcutEvidence {
    std::vector<MemberEvidence> members;
    std::string unreadable;
};

// What a row says in words: where the SASAUTOS entry stands, or a note.
struct Finding {
    std::string text;
};

struct QualificationRow {
    std::string item; // the path of the file, shortcut or configuration file
    ItemResult result = ItemResult::pass;
    std::variant<FileEvidence, ShortcutEvidence, Finding> evidence;
};

// What lies where an installation puts its items, each read once.
struct FoundItems {
    std::vector<Result<std::string>> files; // as InstallationItems::files() orders them
    std::vector<Result<Shortcut>> shortcuts;
    Result<std::string> sas_config;
};

FoundItems found_items(const InstallationItems& expected, FileSystem& files, Shell& shell);

// One row per item in the order /verify lists them, with its result as /verify finds it,
// except that a configuration file with no SASAUTOS list is a note, since there is no
// list to put the folder on. Fails only when a digest cannot be had.
Result<std::vector<QualificationRow>> qualification_rows(const InstallationItems& expected,
                                                         const FoundItems& found, Hashing& hashing,
                                                         TextEncoding& encoding);

struct QualificationOutcome {
    std::size_t items = 0;
    std::size_t failed = 0; // changed or missing
    std::size_t notes = 0;
};

QualificationOutcome outcome_of(const std::vector<QualificationRow>& rows);

// "PASS", "PASS with notes", or "FAIL" with how many items failed.
std::string outcome_text(const QualificationOutcome& outcome);

} // namespace morvane
