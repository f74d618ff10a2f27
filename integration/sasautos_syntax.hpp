#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// One folder named in a SASAUTOS list: a quoted string (its quotes included) or a bare
// word, as a range of the file's bytes.
struct SasautosListEntry {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool quoted = false;
};

// The folder list of one "-SET SASAUTOS" setting, from its "(" to its ")".
struct SasautosList {
    std::size_t opening = 0;
    std::size_t closing = 0;
    std::vector<SasautosListEntry> entries;
};

// Every SASAUTOS folder list of a SAS configuration file, in file order, found as SAS
// reads the file: words separated by blanks, tabs and line ends; "/* */" comments (which
// may span lines) and quoted strings (which end at their line's end) hiding whatever they
// hold; a leading UTF-8 byte order mark ignored. A setting is the word "-SET", one or
// more blanks or tabs, then the word "SASAUTOS", in any letter case; its list is the
// first thing after it. Reading stops at a list that is never closed, since nothing after
// its "(" can close a later one either.
std::vector<SasautosList> sasautos_lists(std::string_view content);

// The folder an entry names: a quoted entry without its quotes, a doubled quote read as one.
std::string sasautos_entry_folder(std::string_view content, const SasautosListEntry& entry);

// The value of the first option named `option` (such as "-CONFIG", any letter case) that
// SAS reads in a configuration file, read the same way as the lists: the quoted string
// (without its quotes) or the word that follows it. Nothing when no such option has a
// value; a word starting with "-" is the next option, not a value.
std::optional<std::string> first_option_value(std::string_view content, std::string_view option);

} // namespace morvane
