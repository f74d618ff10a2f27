#include "integration/sasautos_undo.hpp"

#include "integration/sasautos_syntax.hpp"
#include "text/lines.hpp"

#include <map>
#include <optional>
#include <vector>

namespace morvane {
namespace {

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}

// Just after the line end that follows `at`, or nothing when `at` is not at a line end.
std::optional<std::size_t> after_line_end(std::string_view content, std::size_t at) {
    if (at >= content.size() || !is_line_break(content[at]))
        return std::nullopt;
    return content.compare(at, 2, "\r\n") == 0 ? at + 2 : at + 1;
}

// The entry this program writes, at the start of its own line behind its indent.
bool is_entry_line(std::string_view content, const SasautosListEntry& entry,
                   std::string_view quoted_folder) {
    if (!entry.quoted || entry.begin < sasautos_entry_indent ||
        content.substr(entry.begin, entry.end - entry.begin) != quoted_folder)
        return false;
    const auto line_start = entry.begin - sasautos_entry_indent;
    if (line_start > 0 && !is_line_break(content[line_start - 1]))
        return false;
    return content.find_first_not_of(' ', line_start) == entry.begin;
}

struct Cut {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The entry line this program wrote into a list: the only entry of that shape in it. The
// update put it only into lists that did not name the folder, so it is ours; with two of
// that shape, nothing tells which one is.
std::optional<SasautosListEntry> our_entry(std::string_view content, const SasautosList& list,
                                           std::string_view quoted_folder) {
    std::optional<SasautosListEntry> found;
    for (const auto& entry : list.entries) {
        if (!is_entry_line(content, entry, quoted_folder))
            continue;
        if (found)
            return std::nullopt;
        found = entry;
    }
    return found;
}

// What to cut for one entry line: the whole line when nothing else is on it; else the
// line end after the "(" up to the text that follows the entry when the entry line comes
// right after the "(" line; else the entry alone.
Cut cut_for(std::string_view content, const SasautosList& list, const TextLine& line,
            const SasautosListEntry& entry, const SasautosInsertion& insertion) {
    auto cut_end = entry.end;
    if (insertion.blank_added && cut_end < line.end && content[cut_end] == ' ')
        ++cut_end;
    if (cut_end == line.end)
        return {line.begin, line.next};
    if (after_line_end(content, list.opening + 1) == line.begin)
        return {list.opening + 1, cut_end};
    return {line.begin, cut_end};
}

// The entry line of ours that comes right after the list's "(" and is followed on its line
// by exactly the text the insertion moved: how the entry is told once lists were added or
// commented out above it, so that its list is no longer the one the insertion numbers.
std::optional<SasautosListEntry> moved_entry(std::string_view content, const SasautosList& list,
                                             std::string_view quoted_folder,
                                             const SasautosInsertion& insertion) {
    const auto entry = our_entry(content, list, quoted_folder);
    if (!entry || after_line_end(content, list.opening + 1) != entry->begin - sasautos_entry_indent)
        return std::nullopt;
    const auto line_end = std::min(content.find_first_of("\r\n", entry->end), content.size());
    const auto rest = content.substr(entry->end, line_end - entry->end);
    const auto expected = (insertion.blank_added ? " " : "") + insertion.moved;
    return rest == expected ? entry : std::nullopt;
}

// The one list not cut yet that holds the insertion's entry as moved_entry tells it.
std::optional<std::size_t> only_list_holding(std::string_view content,
                                             const std::vector<SasautosList>& lists,
                                             const std::map<std::size_t, Cut>& cuts,
                                             std::string_view quoted_folder,
                                             const SasautosInsertion& insertion) {
    std::optional<std::size_t> found;
    for (std::size_t setting = 0; setting < lists.size(); ++setting) {
        if (cuts.count(setting) || !moved_entry(content, lists[setting], quoted_folder, insertion))
            continue;
        if (found)
            return std::nullopt;
        found = setting;
    }
    return found;
}

std::string without(std::string_view content, const std::map<std::size_t, Cut>& cuts) {
    std::string text;
    text.reserve(content.size());
    std::size_t kept = 0;
    for (const auto& [setting, cut] : cuts) {
        text.append(content.substr(kept, cut.begin - kept));
        kept = cut.end;
    }
    text.append(content.substr(kept));
    return text;
}

bool ends_with_empty_line(std::string_view text) {
    return text.ends_with("\r\n") && text.size() >= 3 && is_line_break(text[text.size() - 3]);
}

// The update wrote CR LF where the file had LF: the file goes back to the LF its editor
// used.
std::string with_lf_line_ends(std::string_view text) {
    std::string lf;
    lf.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n')
            lf += text[i];
    return lf;
}

} // namespace

SasautosRemoval remove_from_sasautos(std::string_view content, std::string_view macro_folder,
                                     const SasautosChange& change) {
    const auto quoted_folder = '"' + std::string(macro_folder) + '"';
    const auto lists = sasautos_lists(content);
    // In file order, each list once, since lines are read forwards only.
    std::map<std::size_t, const SasautosInsertion*> by_setting;
    for (const auto& insertion : change.insertions)
        by_setting.emplace(insertion.setting, &insertion);
    LineReader lines(content);
    std::map<std::size_t, Cut> cuts; // by list, so in file order
    std::vector<const SasautosInsertion*> not_in_place;
    for (const auto& [setting, insertion] : by_setting) {
        const auto entry = setting < lists.size()
                               ? our_entry(content, lists[setting], quoted_folder)
                               : std::nullopt;
        if (!entry) {
            not_in_place.push_back(insertion);
            continue;
        }
        const auto line = lines.line_at(entry->begin - sasautos_entry_indent);
        cuts[setting] = cut_for(content, lists[setting], line, *entry, *insertion);
    }
    for (const auto* insertion : not_in_place) {
        const auto setting = only_list_holding(content, lists, cuts, quoted_folder, *insertion);
        if (!setting)
            continue;
        const auto& list = lists[*setting];
        const auto entry = *our_entry(content, list, quoted_folder);
        const auto line = LineReader(content).line_at(entry.begin - sasautos_entry_indent);
        cuts[*setting] = cut_for(content, list, line, entry, *insertion);
    }
    if (cuts.empty())
        return {std::string(content), 0};
    SasautosRemoval removal{without(content, cuts), cuts.size()};
    if (change.final_empty_line_added && ends_with_empty_line(removal.content))
        removal.content.resize(removal.content.size() - 2);
    if (change.line_ends_rewritten)
        removal.content = with_lf_line_ends(removal.content);
    return removal;
}

} // namespace morvane
