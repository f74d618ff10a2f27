#include "integration/sasautos_update.hpp"

#include <vector>

namespace morvane {
namespace {

constexpr std::string_view setting_name = "-SET SASAUTOS";
constexpr std::size_t entry_indent = 16;

struct Position {
    std::size_t line = 0;
    std::size_t column = 0;
};

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::vector<std::string_view> split_lines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] != '\r' && content[i] != '\n')
            continue;
        lines.push_back(content.substr(start, i - start));
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines.push_back(content.substr(start));
    return lines;
}

std::size_t first_non_blank(std::string_view text, std::size_t from = 0) {
    while (from < text.size() && is_blank(text[from]))
        ++from;
    return from;
}

bool opens_setting(std::string_view line) {
    if (line.size() < setting_name.size())
        return false;
    for (std::size_t i = 0; i < setting_name.size(); ++i)
        if (ascii_upper(line[i]) != setting_name[i])
            return false;
    return true;
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

// Where the "(" of a setting's folder list stands: on the setting's own line, or alone
// at the start of the next line that is not blank. Nothing for any other value.
std::optional<Position> list_opening(const std::vector<std::string_view>& lines,
                                     std::size_t setting_line) {
    const auto line = lines[setting_line];
    const auto column = first_non_blank(line, setting_name.size());
    if (column < line.size()) {
        if (line[column] != '(')
            return std::nullopt;
        return Position{setting_line, column};
    }
    for (std::size_t next = setting_line + 1; next < lines.size(); ++next) {
        const auto start = first_non_blank(lines[next]);
        if (start == lines[next].size())
            continue;
        if (lines[next][start] != '(')
            return std::nullopt;
        return Position{next, start};
    }
    return std::nullopt;
}

struct FolderList {
    Position end;
    bool names_folder = false;
};

// Reads the entries of a list from just after its "(" to the first ")" outside quotes
// and comments. Nothing when the list is never closed.
class ListReader {
  public:
    ListReader(const std::vector<std::string_view>& lines, std::string_view folder)
        : lines_(lines), wanted_(folder_key(folder)) {}

    std::optional<FolderList> read(Position opening) {
        for (std::size_t l = opening.line; l < lines_.size(); ++l) {
            const auto line = lines_[l];
            quote_ = 0;
            for (std::size_t c = l == opening.line ? opening.column + 1 : 0; c < line.size(); ++c) {
                if (step(line, c))
                    return FolderList{{l, c}, names_folder_};
            }
            end_entry();
        }
        return std::nullopt;
    }

  private:
    // True at the ")" that closes the list; may move c past a two-character token.
    bool step(std::string_view line, std::size_t& c) {
        const char ch = line[c];
        const char next = c + 1 < line.size() ? line[c + 1] : '\0';
        if (in_comment_) {
            if (ch == '*' && next == '/') {
                in_comment_ = false;
                ++c;
            }
            return false;
        }
        if (quote_ != 0) {
            if (ch != quote_)
                entry_ += ch;
            else if (next == quote_) {
                entry_ += ch;
                ++c;
            } else {
                quote_ = 0;
                end_entry();
            }
            return false;
        }
        if (ch == '/' && next == '*') {
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

    const std::vector<std::string_view>& lines_;
    std::string wanted_;
    std::string entry_;
    char quote_ = 0;
    bool in_comment_ = false;
    bool names_folder_ = false;
};

std::string joined_with_crlf(const std::vector<std::string_view>& lines,
                             const std::vector<Position>& insertions,
                             std::string_view macro_folder) {
    std::string entry(entry_indent, ' ');
    entry += '"';
    entry += macro_folder;
    entry += '"';
    std::string out;
    std::size_t next_insertion = 0;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        auto line = lines[l];
        if (next_insertion < insertions.size() && insertions[next_insertion].line == l) {
            const auto after = insertions[next_insertion++].column + 1;
            out.append(line.substr(0, after));
            out += "\r\n";
            out += entry;
            line.remove_prefix(after);
            // Two quoted strings with nothing between them read as one string to SAS.
            if (first_non_blank(line) < line.size() && !is_blank(line.front()))
                out += ' ';
        }
        out.append(line);
        out += "\r\n";
    }
    out += "\r\n";
    return out;
}

} // namespace

std::optional<std::string> add_to_sasautos(std::string_view content,
                                           std::string_view macro_folder) {
    const auto lines = split_lines(content);
    std::vector<Position> insertions;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (!opens_setting(lines[l]))
            continue;
        const auto opening = list_opening(lines, l);
        if (!opening)
            continue;
        const auto list = ListReader(lines, macro_folder).read(*opening);
        if (!list)
            continue;
        if (!list->names_folder)
            insertions.push_back(*opening);
        l = list->end.line;
    }
    if (insertions.empty())
        return std::nullopt;
    return joined_with_crlf(lines, insertions, macro_folder);
}

} // namespace morvane
