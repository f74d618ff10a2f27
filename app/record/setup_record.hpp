#pragma once

#include "integration/sasautos_update.hpp"
#include "integration/shortcut_scope.hpp"
#include "platform/file_system.hpp"
#include "product/layout.hpp"

#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct RecordedFile {
    std::string path;
    std::string sha256; // of the bytes written, lower-case hexadecimal
};

// One update of a SAS configuration file, as far as it concerns undoing it.
struct RecordedSasautos {
    std::string config_file;
    std::string macro_folder; // as the entry names it, in the file's own code page
    SasautosOutcome outcome = SasautosOutcome::no_list;
    SasautosChange change; // what the update did; empty unless outcome is updated
};

// The user a current-user installation was made for, and that user's folders as they
// were when it was made, so that another account can undo it.
struct RecordedUser {
    std::string sid;
    std::string desktop;
    std::string programs;
};

// What one installation did, each list in the order the steps completed, so that an
// installation that failed part-way is recorded up to its failure.
struct SetupRecord {
    std::string sas_version; // the release's version key
    // Nothing in a record of an earlier release: what the registry said then.
    std::optional<ShortcutScope> scope;
    std::string program_folder; // its long form; empty in a record of an earlier release
    std::optional<RecordedUser> user;
    std::vector<std::string> folders_created;
    std::vector<RecordedFile> files_written;
    std::vector<std::string> shortcuts_saved;
    // Every update that changed a file, oldest first: a later installation or repair may
    // add the entry to another release's file or to a list added since, and each of those
    // entries is to be undone. An update that changed nothing is kept only to say so.
    std::vector<RecordedSasautos> sasautos;
    // The journal of a run that has not been folded into the record yet, by its name
    // beside the record; reading the record reads the journal's latest state instead.
    std::string journal;
};

// The record as INI-like text with CR LF line ends. Values hold no line breaks; any other
// byte is kept.
std::string to_text(const SetupRecord& record);

// Reads text written by to_text, also after an editor changed its line ends. Text that
// is not a complete record fails with a description naming the line.
Result<SetupRecord> parse_setup_record(const std::string& text);

// The record at path, or the latest state its journal holds; a missing file fails with
// Kind::not_found, so "nothing recorded" is told apart from a record that cannot be read.
// A journal that is not of this record's own naming is neither read nor kept.
Result<SetupRecord> read_setup_record(FileSystem& files, const std::string& path);

} // namespace morvane
