#pragma once

#include "integration/sasautos_update.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane {

struct SasautosRemoval {
    std::string content;             // the same bytes when nothing was removed
    std::size_t entries_removed = 0; // at most one per recorded insertion
};

// Undoes an update recorded as `change` in the current content of the configuration
// file: in each list an insertion names, the entry line that update wrote for macro_folder
// goes, the text it moved is joined back after its "(" (without the blank the update
// added), and the empty line the update added at the end goes when the file still ends
// with one. Every other edit of the file stays. An insertion whose list no longer holds
// exactly one entry line of that shape (lists were added or commented out above it) takes
// instead the one list whose entry line follows its "(" and is followed by exactly the
// text the insertion moved; with none or several, nothing is removed for it (not found).
// Where the update rewrote lone LF or CR line ends, every line ends in LF again. For a file
// whose lines all ended in CR LF, or all in LF, and that did not name the folder, the
// result is the file as it was before the update, byte for byte.
SasautosRemoval remove_from_sasautos(std::string_view content, std::string_view macro_folder,
                                     const SasautosChange& change);

} // namespace morvane
