#include "integration/sasautos_update.hpp"

#include <cstring>
#include <vector>

namespace morvane {
namespace {

constexpr std::string_view setting_name = "-SET SASAUTOS";
constexpr std::size_t entry_indent = 16;

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}
char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

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

struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;  // where its CR LF, CR or LF starts
    std::size_t next = 0; // where the next line starts
    std::string_view text(std::string_view content) const {
        return content.substr(begin, end - begin);
    }
};

// Walks the lines of a file whose lines may end in CR LF, CR or LF. The next CR and LF
// are remembered, so a file with only one kind of ending is still read in linear time.
class LineReader {
  public:
    explicit LineReader(std::string_view content) : content_(content) {}

    Line line_at(std::size_t begin) {
        const auto end = std::min(next_of('\r', next_cr_, begin), next_of('\n', next_lf_, begin));
        std::size_t next = end;
        if (end < content_.size())
            next += content_[end] == '\r' && end + 1 < content_.size() && content_[end + 1] == '\n'
                        ? 2
                        : 1;
        return {begin, end, next};
    }

  private:
    std::size_t next_of(char wanted, std::size_t& cached, std::size_t from) {
        if (cached != npos_unset && cached >= from)
            return cached;
        const void* found = std::memchr(content_.data() + from, wanted, content_.size() - from);
        cached = found == nullptr
                     ? content_.size()
                     : static_cast<std::size_t>(static_cast<const char*>(found) - content_.data());
        return cached;
    }

    static constexpr std::size_t npos_unset = std::string_view::npos;
    std::string_view content_;
    std::size_t next_cr_ = npos_unset;
    std::size_t next_lf_ = npos_unset;
};

bool opens_setting(std::string_view line) {
    if (line.size() < setting_name.size())
        return false;
    for (std::size_t i = 0; i < setting_name.size(); ++i)
        if (ascii_upper(line[i]) != setting_name[i])
            return false;
    return true;
}

std::size_t first_non_blank(std::string_view text, std::size_t from = 0) {
    while (from < text.size() && is_blank(text[from]))
        ++from;
    return from;
}

// Where the "(" of a setting's folder list stands: on the setting's own line, or alone
// at the start of the next line that is not blank. Nothing for any other value.
std::optional<std::size_t> list_opening(std::string_view content, LineReader& lines,
                                        const Line& setting) {
    const auto text = setting.text(content);
    const auto column = first_non_blank(text, setting_name.size());
    if (column < text.size())
        return text[column] == '(' ? std::optional(setting.begin + column) : std::nullopt;
    for (auto line = lines.line_at(setting.next); line.begin < content.size();
         line = lines.line_at(line.next)) {
        const auto line_text = line.text(content);
        const auto start = first_non_blank(line_text);
        if (start < line_text.size())
            return line_text[start] == '(' ? std::optional(line.begin + start) : std::nullopt;
    }
    return std::nullopt;
}

struct FolderList {
    std::size_t end = 0; // the closing ")"
    bool names_folder = false;
};

// Reads the entries of a list from just after its "(" to the first ")" outside quotes
// and comments. A quote never runs past the end of its line. Nothing when the list is
// never closed.
class ListReader {
  public:
    ListReader(std::string_view content, std::string_view folder)
        : content_(content), wanted_(folder_key(folder)) {}

    std::optional<FolderList> read(std::size_t opening) {
        for (std::size_t c = opening + 1; c < content_.size(); ++c)
            if (step(c))
                return FolderList{c, names_folder_};
        return std::nullopt;
    }

  private:
    // True at the ")" that closes the list; may move c past a two-character token.
    bool step(std::size_t& c) {
        const char ch = content_[c];
        const char next = c + 1 < content_.size() ? content_[c + 1] : '\0';
        if (is_line_break(ch)) {
            quote_ = 0;
            end_entry();
        } else if (in_comment_) {
            if (ch == '*' && next == '/') {
                in_comment_ = false;
                ++c;
            }
        } else if (quote_ != 0) {
            if (ch != quote_) {
                entry_ += ch;
            } else if (next == quote_) {
                entry_ += ch;
                ++c;
            } else {
                quote_ = 0;
                end_entry();
            }
        } else if (ch == '/' && next == '*') {
            end_entry();
            in_comment_ = true;
            ++c;
        } else if (ch == '"' || ch == '\'') {
            end_entry();
            quote_ = ch;
        } else if (ch == ')') {
            end_entry();
            return true;
        } else if (is_blank(ch) || ch == ',') {
            end_entry();
        } else {
            entry_ += ch;
        }
        return false;
    }

    void end_entry() {
        if (!entry_.empty() && folder_key(entry_) == wanted_)
            names_folder_ = true;
        entry_.clear();
    }

    std::string_view content_;
    std::string wanted_;
    std::string entry_;
    char quote_ = 0;
    bool in_comment_ = false;
    bool names_folder_ = false;
};

constexpr std::string_view line_end = "\r\n";
constexpr std::string_view blank = " ";

// The lines as they were, each ended by CR LF, with the entry after each insertion point
// and one empty line at the end. Runs of lines that already end in CR LF stay one piece.
std::vector<std::string_view> pieces_of(std::string_view content,
                                        const std::vector<std::size_t>& insertions,
                                        std::string_view entry) {
    std::vector<std::string_view> pieces;
    std::size_t run_start = 0;
    std::size_t next_insertion = 0;
    LineReader lines(content);
    for (auto line = lines.line_at(0); line.begin < content.size();
         line = lines.line_at(line.next)) {
        const bool insertion =
            next_insertion < insertions.size() && insertions[next_insertion] < line.end;
        const bool ends_in_crlf = line.next == line.end + 2 && content[line.end] == '\r';
        if (!insertion && ends_in_crlf)
            continue;
        if (line.begin > run_start)
            pieces.push_back(content.substr(run_start, line.begin - run_start));
        auto text = line.text(content);
        if (insertion) {
            const auto after = insertions[next_insertion++] - line.begin + 1;
            pieces.push_back(text.substr(0, after));
            pieces.push_back(line_end);
            pieces.push_back(entry);
            text.remove_prefix(after);
            // Two quoted strings with nothing between them read as one string to SAS.
            if (first_non_blank(text) < text.size() && !is_blank(text.front()))
                pieces.push_back(blank);
        }
        if (!text.empty())
            pieces.push_back(text);
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
    return pieces;
}

} // namespace

std::string sasautos_entry(std::string_view macro_folder) {
    return std::string(entry_indent, ' ') + '"' + std::string(macro_folder) + '"';
}

std::optional<std::vector<std::string_view>> sasautos_update_pieces(std::string_view content,
                                                                    std::string_view macro_folder,
                                                                    std::string_view entry) {
    LineReader lines(content);
    std::vector<std::size_t> insertions;
    for (auto line = lines.line_at(0); line.begin < content.size();) {
        if (opens_setting(line.text(content))) {
            // Looking ahead for the list must not move the main reader.
            LineReader ahead(content);
            if (const auto opening = list_opening(content, ahead, line)) {
                if (const auto list = ListReader(content, macro_folder).read(*opening)) {
                    if (!list->names_folder)
                        insertions.push_back(*opening);
                    // Go on after the line that closes the list.
                    line = lines.line_at(*opening);
                    while (line.next <= list->end)
                        line = lines.line_at(line.next);
                }
            }
        }
        line = lines.line_at(line.next);
    }
    if (insertions.empty())
        return std::nullopt;
    return pieces_of(content, insertions, entry);
}

std::optional<std::string> add_to_sasautos(std::string_view content,
                                           std::string_view macro_folder) {
    const auto entry = sasautos_entry(macro_folder);
    const auto pieces = sasautos_update_pieces(content, macro_folder, entry);
    if (!pieces)
        return std::nullopt;
    std::size_t size = 0;
    for (const auto piece : *pieces)
        size += piece.size();
    std::string text;
    text.reserve(size);
    for (const auto piece : *pieces)
        text += piece;
    return text;
}

} // namespace morvane
