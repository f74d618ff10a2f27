#include "integration/sasautos_undo.hpp"

#include "integration/sasautos_syntax.hpp"
#include "integration/text_lines.hpp"

#include <optional>
#include <vector>

namespace morvane {
namespace {

constexpr std::size_t entry_indent = 16;

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
    if (!entry.quoted || entry.begin < entry_indent ||
        content.substr(entry.begin, entry.end - entry.begin) != quoted_folder)
        return false;
    const auto line_start = entry.begin - entry_indent;
    if (line_start > 0 && !is_line_break(content[line_start - 1]))
        return false;
    return content.find_first_not_of(' ', line_start) == entry.begin;
}

struct Cut {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// An entry line of this program's shape found in a list of the current file.
struct Candidate {
    const SasautosList* list = nullptr;
    SasautosListEntry entry;
    TextLine line;
    std::string_view after_entry; // the rest of its line
};

bool follows(const SasautosInsertion& insertion, std::string_view after_entry) {
    if (insertion.blank_added) {
        if (!after_entry.starts_with(' '))
            return false;
        after_entry.remove_prefix(1);
    }
    return after_entry == insertion.moved;
}

constexpr std::size_t none = static_cast<std::size_t>(-1);

// Which recorded insertion each candidate is, in file order. First the candidates still
// followed by their recorded moved text; then, between two of those, the others take the
// insertions left between the same two, in order, but only when there are enough of them:
// otherwise some candidate was listed before the update and nothing tells which one.
std::vector<std::size_t> recorded_insertions(const std::vector<Candidate>& candidates,
                                             const std::vector<SasautosInsertion>& insertions) {
    std::vector<std::size_t> chosen(candidates.size(), none);
    std::size_t next = 0;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        for (auto i = next; i < insertions.size(); ++i) {
            if (follows(insertions[i], candidates[c].after_entry)) {
                chosen[c] = i;
                next = i + 1;
                break;
            }
        }
    }
    std::size_t gap_start = 0, first_free = 0;
    for (std::size_t c = 0; c <= candidates.size(); ++c) {
        if (c < candidates.size() && chosen[c] == none)
            continue;
        const auto free_end = c < candidates.size() ? chosen[c] : insertions.size();
        if (c - gap_start <= free_end - first_free)
            for (auto g = gap_start; g < c; ++g)
                chosen[g] = first_free++;
        gap_start = c + 1;
        first_free = free_end + 1;
    }
    return chosen;
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

std::string without(std::string_view content, const std::vector<Cut>& cuts) {
    std::string text;
    text.reserve(content.size());
    std::size_t kept = 0;
    for (const auto& cut : cuts) {
        text.append(content.substr(kept, cut.begin - kept));
        kept = cut.end;
    }
    text.append(content.substr(kept));
    return text;
}

bool ends_with_empty_line(std::string_view text) {
    return text.ends_with("\r\n") && text.size() >= 3 && is_line_break(text[text.size() - 3]);
}

} // namespace

SasautosRemoval remove_from_sasautos(std::string_view content, std::string_view macro_folder,
                                     const SasautosChange& change) {
    const auto quoted_folder = '"' + std::string(macro_folder) + '"';
    const auto lists = sasautos_lists(content);
    LineReader lines(content);
    std::vector<Candidate> candidates;
    for (const auto& list : lists) {
        for (const auto& entry : list.entries) {
            if (!is_entry_line(content, entry, quoted_folder))
                continue;
            const auto line = lines.line_at(entry.begin - entry_indent);
            candidates.push_back(
                {&list, entry, line, content.substr(entry.end, line.end - entry.end)});
            break;
        }
    }
    const auto chosen = recorded_insertions(candidates, change.insertions);
    std::vector<Cut> cuts;
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        if (chosen[c] == none)
            continue;
        const auto& candidate = candidates[c];
        cuts.push_back(cut_for(content, *candidate.list, candidate.line, candidate.entry,
                               change.insertions[chosen[c]]));
    }
    if (cuts.empty())
        return {std::string(content), 0};
    SasautosRemoval removal{without(content, cuts), cuts.size()};
    if (change.final_empty_line_added && ends_with_empty_line(removal.content))
        removal.content.resize(removal.content.size() - 2);
    return removal;
}

} // namespace morvane
