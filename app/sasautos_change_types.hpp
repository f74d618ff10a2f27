#pragma once

// Stands in for the change types that integration/sasautos_update.hpp is to declare, with
// the same definitions; once that header has them, include it instead and drop this file.

#include <string>
#include <vector>

namespace morvane {

// What one update did to one SASAUTOS setting, enough to undo it.
struct SasautosInsertion {
    std::string moved;        // the text that followed the list's "(" on its line, exactly as
                              // it was; after the update it follows the entry line
    bool blank_added = false; // a blank was put between the entry and `moved`
};

// What one update of a SAS configuration file did.
struct SasautosChange {
    std::vector<SasautosInsertion> insertions; // one per setting that got the entry, file order
    bool final_empty_line_added = false;       // the update added one empty line at the end
    bool line_ends_rewritten = false;          // some line did not end in CR LF before
};

enum class SasautosOutcome { updated, already_listed, no_list };

} // namespace morvane
