#include "integration/sasautos_update.hpp"
#include "text/ascii.hpp"

#include "integration/sasautos_syntax.hpp"
#include "text/lines.hpp"

namespace morvane {
namespace {

constexpr std::string_view line_end = "\r\n";
constexpr std::string_view blank = " ";

// Folder names compare as Windows compares them: without regard to letter case, and
// with or without a final backslash.
std::string folder_key(std::string_view folder) {
    while (!folder.empty() && folder.back() == '\\')
        folder.remove_suffix(1);
    std::string key;
    for (const char c : folder)
        key += ascii_upper(c);
    return key;
}

bool names_folder(std::string_view content, const SasautosList& list, std::string_view key) {
    for (const auto& entry : list.entries)
        if (folder_key(sasautos_entry_folder(content, entry)) == key)
            return true;
    return false;
}

// Two quoted strings with nothing between them read as one string to SAS, so a blank
// keeps the entry apart from anything but blanks that follows it.
bool needs_blank(std::string_view moved) {
    return !moved.empty() && !is_blank(moved.front());
}

// Where an entry goes: right after a list's "(", and which list that is.
struct InsertionPoint {
    std::size_t opening = 0;
    std::size_t setting = 0;
};

// The lines as they were, each ended by CR LF, with the entry after each insertion point
// and one empty line at the end. Runs of lines that already end in CR LF stay one piece.
std::vector<std::string_view> pieces_of(std::string_view content,
                                        const std::vector<InsertionPoint>& insertions,
                                        std::string_view entry, SasautosChange& change) {
    std::vector<std::string_view> pieces;
    std::size_t run_start = 0;
    std::size_t next_insertion = 0;
    const auto insertion_on = [&](const TextLine& line) {
        return next_insertion < insertions.size() && insertions[next_insertion].opening < line.end;
    };
    LineReader lines(content);
    for (auto line = lines.line_at(0); line.begin < content.size();
         line = lines.line_at(line.next)) {
        const bool ends_in_crlf = line.ends_in_crlf(content);
        // A last line without any line end gets one, but that is no other kind of ending.
        change.line_ends_rewritten |= !ends_in_crlf && line.end < content.size();
        if (!insertion_on(line) && ends_in_crlf)
            continue;
        if (line.begin > run_start)
            pieces.push_back(content.substr(run_start, line.begin - run_start));
        auto rest = line.begin;
        while (insertion_on(line)) {
            const auto setting = insertions[next_insertion].setting;
            const auto after = insertions[next_insertion++].opening + 1;
            pieces.push_back(content.substr(rest, after - rest));
            pieces.push_back(line_end);
            pieces.push_back(entry);
            // Up to the next list opened on the same line, or to the line's end.
            const auto moved_end =
                insertion_on(line) ? insertions[next_insertion].opening + 1 : line.end;
            const auto moved = content.substr(after, moved_end - after);
            const bool blank_added = needs_blank(moved);
            if (blank_added)
                pieces.push_back(blank);
            change.insertions.push_back({setting, std::string(moved), blank_added});
            rest = after;
        }
        if (line.end > rest)
            pieces.push_back(content.substr(rest, line.end - rest));
        // A CR LF of the file itself starts the next run.
        if (ends_in_crlf) {
            run_start = line.end;
        } else {
            pieces.push_back(line_end);
            run_start = line.next;
        }
    }
    if (content.size() > run_start)
        pieces.push_back(content.substr(run_start));
    pieces.push_back(line_end);
    change.final_empty_line_added = true;
    return pieces;
}

} // namespace

SasautosPlan plan_sasautos_update(std::string_view content, std::string_view macro_folder,
                                  std::string_view entry) {
    const auto key = folder_key(macro_folder);
    const auto lists = sasautos_lists(content);
    std::vector<InsertionPoint> insertions;
    for (std::size_t setting = 0; setting < lists.size(); ++setting)
        if (!names_folder(content, lists[setting], key))
            insertions.push_back({lists[setting].opening, setting});
    SasautosPlan plan;
    if (insertions.empty()) {
        plan.outcome = lists.empty() ? SasautosOutcome::no_list : SasautosOutcome::already_listed;
        return plan;
    }
    plan.outcome = SasautosOutcome::updated;
    plan.pieces = pieces_of(content, insertions, entry, plan.change);
    return plan;
}

bool sasautos_names_folder(std::string_view content, std::string_view macro_folder) {
    const auto key = folder_key(macro_folder);
    for (const auto& list : sasautos_lists(content))
        if (names_folder(content, list, key))
            return true;
    return false;
}

std::vector<SasautosPlacement> sasautos_placements(std::string_view content,
                                                   std::string_view macro_folder) {
    const auto key = folder_key(macro_folder);
    std::vector<SasautosPlacement> placements;
    LineReader lines(content);
    auto line = lines.line_at(0);
    std::size_t line_number = 1;
    for (const auto& list : sasautos_lists(content)) {
        for (; line.next <= list.opening; ++line_number)
            line = lines.line_at(line.next);
        SasautosPlacement placement{line_number, list.entries.size(), std::nullopt};
        for (std::size_t place = 0; place < list.entries.size() && !placement.position; ++place)
            if (folder_key(sasautos_entry_folder(content, list.entries[place])) == key)
                placement.position = place;
        placements.push_back(placement);
    }
    return placements;
}

std::string sasautos_entry(std::string_view macro_folder) {
    return std::string(sasautos_entry_indent, ' ') + '"' + std::string(macro_folder) + '"';
}

std::optional<std::string> add_to_sasautos(std::string_view content,
                                           std::string_view macro_folder) {
    const auto entry = sasautos_entry(macro_folder);
    const auto plan = plan_sasautos_update(content, macro_folder, entry);
    if (plan.outcome != SasautosOutcome::updated)
        return std::nullopt;
    std::size_t size = 0;
    for (const auto piece : plan.pieces)
        size += piece.size();
    std::string text;
    text.reserve(size);
    for (const auto piece : plan.pieces)
        text += piece;
    return text;
}

} // namespace morvane
