// Feeds arbitrary configuration files and program folders to the SASAUTOS update and its
// undo, and checks what must hold for every input:
// - the update ends; its plan, its pieces and its text agree;
// - every original line survives in order; a line may only be split right after a "(",
//   each later part starting with the entry (and one blank when the part starts with
//   neither a blank nor its end);
// - each entry follows a "(" that SAS reads, i.e. not inside a comment or quotes, after a
//   "-SET SASAUTOS" setting it also reads; at most one entry per setting;
// - a second update changes nothing;
// - for a file that does not name the folder, the undo gives back the file with every line
//   ended by CR LF, or by LF where the update rewrote lone LF or CR ends (so a CR LF or an
//   LF file byte for byte), and counts every entry;
// - the diff of the update adds one line per entry and the final empty line.
//
// Input: an optional program folder, a NUL, then the file's bytes. Without a NUL the
// whole input is the file and the folder is D:\Tools\Kit.
#include "integration/sasautos_undo.hpp"
#include "integration/sasautos_update.hpp"
#include "integration/unified_diff.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string_view current_folder;

void check(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s (macro folder \"%.*s\")\n", property,
                 static_cast<int>(current_folder.size()), current_folder.data());
    std::abort();
}

// Any byte that a Windows folder name may hold; the others become '_'.
std::string windows_folder(std::string_view raw) {
    std::string folder = "C:\\";
    for (const char c : raw.substr(0, 120)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool invalid = byte < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' ||
                             c == '?' || c == '*' || c == ':';
        folder += invalid ? '_' : c;
    }
    return folder;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}
char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool same_letters(std::string_view text, std::size_t at, std::string_view upper_case) {
    if (at + upper_case.size() > text.size())
        return false;
    for (std::size_t i = 0; i < upper_case.size(); ++i)
        if (upper(text[at + i]) != upper_case[i])
            return false;
    return true;
}

using Lines = std::vector<std::string_view>;

Lines lines_of(std::string_view text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!is_line_break(text[i]))
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string with_line_ends(const Lines& lines, std::string_view line_end) {
    std::string text;
    for (const auto line : lines)
        text.append(line).append(line_end);
    return text;
}

// How SAS sees each byte: plain, inside a /* */ comment, or inside a quoted string (which
// ends at its line's end, a doubled quote standing for itself).
enum class Seen : char { plain, comment, quoted };

std::vector<Seen> seen_by_sas(std::string_view text) {
    std::vector<Seen> seen(text.size(), Seen::plain);
    char quote = 0;
    bool comment = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (comment) {
            seen[i] = Seen::comment;
            if (c == '*' && next == '/')
                seen[++i] = Seen::comment, comment = false;
        } else if (quote != 0 && !is_line_break(c)) {
            seen[i] = Seen::quoted;
            if (c == quote && next == quote)
                seen[++i] = Seen::quoted;
            else if (c == quote)
                quote = 0;
        } else if (quote != 0) {
            quote = 0;
        } else if (c == '/' && next == '*') {
            seen[i] = seen[i + 1] = Seen::comment, comment = true, ++i;
        } else if (c == '"' || c == '\'') {
            seen[i] = Seen::quoted, quote = c;
        }
    }
    return seen;
}

// The "(" at `at` opens a list that SAS reads after "-SET", blanks or tabs, "SASAUTOS",
// then only blanks, line ends, commas and comments.
bool opens_a_sasautos_list(std::string_view text, const std::vector<Seen>& seen, std::size_t at) {
    if (seen[at] != Seen::plain)
        return false;
    auto end = at;
    while (end > 0 &&
           (seen[end - 1] == Seen::comment ||
            (seen[end - 1] == Seen::plain &&
             (is_blank(text[end - 1]) || is_line_break(text[end - 1]) || text[end - 1] == ','))))
        --end;
    if (end < 8 || !same_letters(text, end - 8, "SASAUTOS"))
        return false;
    auto set_end = end - 8;
    const auto name_start = set_end;
    while (set_end > 0 && is_blank(text[set_end - 1]) && seen[set_end - 1] == Seen::plain)
        --set_end;
    if (set_end == name_start || set_end < 4 || !same_letters(text, set_end - 4, "-SET"))
        return false;
    for (auto i = set_end - 4; i < end; ++i)
        if (seen[i] != Seen::plain)
            return false;
    return true;
}

// Upper bound of the settings SAS reads: "-SET", blanks or tabs, "SASAUTOS", all plain.
std::size_t settings_in(std::string_view text, const std::vector<Seen>& seen) {
    std::size_t settings = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (seen[i] != Seen::plain || !same_letters(text, i, "-SET"))
            continue;
        auto name = i + 4;
        while (name < text.size() && is_blank(text[name]))
            ++name;
        settings += name > i + 4 && same_letters(text, name, "SASAUTOS") ? 1 : 0;
    }
    return settings;
}

// The numbers of entries with which the written lines from j on can be `line`: each
// entry splits it right after a "(".
std::set<std::size_t> splits(std::string_view line, const Lines& written, std::size_t j,
                             std::string_view entry) {
    std::set<std::size_t> counts;
    auto rest = line;
    for (std::size_t n = 0; j + n < written.size(); ++n) {
        auto part = written[j + n];
        if (n > 0) {
            if (!part.starts_with(entry))
                break;
            part.remove_prefix(entry.size());
            if (!rest.empty() && !is_blank(rest.front())) {
                if (!part.starts_with(' '))
                    break;
                part.remove_prefix(1);
            }
        }
        if (part == rest)
            counts.insert(n);
        if (!part.ends_with('(') || !rest.starts_with(part))
            break;
        rest.remove_prefix(part.size());
    }
    return counts;
}

// The numbers of entries with which `written` is `original` with split lines and one
// empty line added at the end.
std::set<std::size_t> alignments(const Lines& original, const Lines& written,
                                 std::string_view entry) {
    std::set<std::size_t> added = {0};
    for (std::size_t i = 0; i < original.size() && !added.empty(); ++i) {
        std::set<std::size_t> next;
        for (const auto count : added)
            for (const auto n : splits(original[i], written, i + count, entry))
                next.insert(count + n);
        added = std::move(next);
    }
    std::set<std::size_t> complete;
    for (const auto count : added)
        if (original.size() + count + 1 == written.size() && written.back().empty())
            complete.insert(count);
    return complete;
}

bool names_folder(std::string_view text, std::string_view folder) {
    const auto found = std::search(text.begin(), text.end(), folder.begin(), folder.end(),
                                   [](char a, char b) { return upper(a) == upper(b); });
    return found != text.end();
}

// Lines of a diff's hunks that start with `mark`; the two label lines are not counted.
std::size_t count_lines_starting(std::string_view diff, char mark) {
    const auto lines = lines_of(diff);
    std::size_t count = 0;
    for (std::size_t i = 2; i < lines.size(); ++i)
        count += !lines[i].empty() && lines[i].front() == mark ? 1 : 0;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    const auto folder = (nul == std::string_view::npos ? std::string("D:\\Tools\\Kit")
                                                       : windows_folder(input.substr(0, nul))) +
                        "\\saspgm";
    current_folder = folder;
    const auto content = nul == std::string_view::npos ? input : input.substr(nul + 1);

    const auto entry = morvane::sasautos_entry(folder);
    const auto plan = morvane::plan_sasautos_update(content, folder, entry);
    const auto updated = morvane::add_to_sasautos(content, folder);
    check(updated.has_value() == (plan.outcome == morvane::SasautosOutcome::updated),
          "the plan's outcome says whether the file is rewritten");
    if (!updated)
        return 0;
    std::string joined;
    for (const auto piece : plan.pieces)
        joined.append(piece);
    check(joined == *updated, "the plan's pieces make the rewritten file");

    const auto original = lines_of(content);
    const auto written = lines_of(*updated);
    check(updated->ends_with("\r\n\r\n"), "the rewritten file ends with CR LF and an empty line");
    const auto entries = alignments(original, written, entry);
    const auto recorded = plan.change.insertions.size();
    check(entries.contains(recorded), "every original line survives byte for byte, in order, "
                                      "split only after a \"(\" by a recorded entry");

    // Each entry found in the rewritten file that SAS reads, minus those already in the
    // original, must be one that was added.
    const auto live_entries = [&](std::string_view text) {
        const auto seen = seen_by_sas(text);
        const auto pattern = "(\r\n" + entry;
        std::size_t count = 0;
        for (auto at = text.find(pattern); at != std::string_view::npos;
             at = text.find(pattern, at + 1))
            count += opens_a_sasautos_list(text, seen, at) ? 1 : 0;
        return count;
    };
    // Text shaped like the entry may already open a list without naming the folder (a
    // doubled quote runs on); the insertion then moves it off its "(", so the count is
    // only judged where the original holds no such text.
    const auto normalised = with_line_ends(original, "\r\n");
    if (content.find(entry) == std::string_view::npos)
        check(live_entries(*updated) == live_entries(normalised) + recorded,
              "each entry is added to a list SAS reads, never inside a comment or quotes");
    check(recorded <= settings_in(content, seen_by_sas(content)),
          "at most one entry is added to each setting");

    check(!morvane::add_to_sasautos(*updated, folder), "a second update changes nothing");

    if (!names_folder(content, folder)) {
        const auto removal = morvane::remove_from_sasautos(*updated, folder, plan.change);
        const auto as_before =
            plan.change.line_ends_rewritten ? with_line_ends(original, "\n") : normalised;
        check(removal.content == as_before, "the undo gives back the file as it was");
        check(removal.entries_removed == recorded, "the undo counts every entry it removes");
    }

    if (updated->size() <= 4096) {
        const auto diff = morvane::unified_diff(content, *updated, "a", "b");
        check(count_lines_starting(diff, '+') == count_lines_starting(diff, '-') + recorded + 1,
              "the diff adds one line per entry and the final empty line");
    }
    return 0;
}
