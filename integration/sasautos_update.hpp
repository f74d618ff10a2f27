#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// What one update did to one SASAUTOS setting, enough to undo it.
struct SasautosInsertion {
    std::size_t setting = 0;  // which SASAUTOS folder list of the file, counted from 0 in file
                              // order as sasautos_lists finds them
    std::string moved;        // the text that followed the list's "(" on its line, exactly as
                              // it was; after the update it follows the entry line
    bool blank_added = false; // a blank was put between the entry and `moved`
};

// What one update of a SAS configuration file did.
struct SasautosChange {
    std::vector<SasautosInsertion> insertions; // one per setting that got the entry, file order
    bool final_empty_line_added = false;       // the update added one empty line at the end
    bool line_ends_rewritten = false;          // some line ended in a lone LF or CR before
};

enum class SasautosOutcome { updated, already_listed, no_list };

// The update of one SAS configuration file, worked out without writing anything.
struct SasautosPlan {
    // no_list: no setting could take the entry (none present, or none with a folder list).
    SasautosOutcome outcome = SasautosOutcome::no_list;
    // When updated: the new content in order, as views of the content, of the entry and of
    // constant text, so that a large file is not copied. Empty otherwise.
    std::vector<std::string_view> pieces;
    SasautosChange change; // what the pieces do; empty unless updated
};

// Puts macro_folder first, as `entry` (from sasautos_entry) on a new line right after the
// "(", in every SASAUTOS folder list of a SAS configuration file that does not name it
// yet. The lines of an updated file all end in CR LF and one empty line is added at its
// end. Bytes are in the file's own code page; macro_folder must be in the same one.
// content and entry must outlive the plan's pieces.
SasautosPlan plan_sasautos_update(std::string_view content, std::string_view macro_folder,
                                  std::string_view entry);

// The blanks before the entry on its line.
inline constexpr std::size_t sasautos_entry_indent = 16;

// Whether some SASAUTOS list of the content names macro_folder, in any letter case, with
// or without a final backslash: an entry the undo did not find may still be in use.
bool sasautos_names_folder(std::string_view content, std::string_view macro_folder);

// Where macro_folder stands in one SASAUTOS setting.
struct SasautosPlacement {
    std::size_t line = 0;                // the line of the list's "(", from 1
    std::size_t entries = 0;             // how many folders the list names
    std::optional<std::size_t> position; // macro_folder's place among them, from 0
};

// One per SASAUTOS setting of the content, in file order, the folder compared as the
// update compares it.
std::vector<SasautosPlacement> sasautos_placements(std::string_view content,
                                                   std::string_view macro_folder);

// The line that puts macro_folder on a list, without its line end.
std::string sasautos_entry(std::string_view macro_folder);

// The same update as one text, or nothing when no list needed the folder.
std::optional<std::string> add_to_sasautos(std::string_view content, std::string_view macro_folder);

} // namespace morvane
