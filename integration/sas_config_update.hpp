#pragma once

#include "integration/sasautos_update.hpp"
#include "platform/file_system.hpp"
#include "platform/text_encoding.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// What the update of one SAS configuration file did, enough to undo it.
struct SasConfigUpdate {
    SasautosOutcome outcome = SasautosOutcome::no_list;
    SasautosChange change;    // empty unless updated
    std::string macro_folder; // as the entry names it, in the file's own encoding
};

// Puts macro_folder on the SASAUTOS list of the SAS configuration file at config_path,
// in the file's own encoding: UTF-8 when it starts with a byte order mark, which it
// keeps, else the ANSI code page. The file is replaced in one step, so a failure never
// leaves it half written; a file that already lists the folder, or has no list, is not
// written at all.
Result<SasConfigUpdate> update_sas_config_file(FileSystem& files, TextEncoding& encoding,
                                               const std::string& macro_folder,
                                               const std::string& config_path);

// The same update worked out and not written: the file's bytes before and as the update
// would leave them (the same unless the outcome is updated).
struct SasConfigPreview {
    SasautosOutcome outcome = SasautosOutcome::no_list;
    std::string before;
    std::string after;
};
Result<SasConfigPreview> preview_sas_config_update(FileSystem& files, TextEncoding& encoding,
                                                   const std::string& macro_folder,
                                                   const std::string& config_path);

// What the update would do to the content: already_listed when every SASAUTOS list names
// the macro folder, no_list when there is none. Fails when the folder cannot be put in the
// content's encoding.
Result<SasautosOutcome> sas_config_outcome(std::string_view content, TextEncoding& encoding,
                                           const std::string& macro_folder);

// Where the macro folder stands in each SASAUTOS setting of a configuration file's
// content, compared in the file's own encoding as the update does; fails when the
// folder has no form in that encoding.
Result<std::vector<SasautosPlacement>> sas_config_placements(std::string_view content,
                                                             TextEncoding& encoding,
                                                             const std::string& macro_folder);

// Takes the macro folder's entry out of a configuration file's content as
// remove_from_sasautos does, past a byte order mark; macro_folder as the update recorded it.
std::string remove_sas_config_entry(std::string_view content, std::string_view macro_folder,
                                    const SasautosChange& change);

} // namespace morvane
