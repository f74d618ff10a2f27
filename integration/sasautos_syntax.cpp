#include "integration/sasautos_syntax.hpp"
#include "text/ascii.hpp"

#include <optional>

namespace morvane {
namespace {

bool is_line_break(char c) {
    return c == '\r' || c == '\n';
}
bool is_quote(char c) {
    return c == '"' || c == '\'';
}

enum class TokenKind { word, quoted, open, close };

struct Token {
    TokenKind kind = TokenKind::word;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The significant pieces of a configuration file in order: words, quoted strings and
// parentheses. Blanks, line ends, commas and comments only separate them.
class Tokens {
  public:
    explicit Tokens(std::string_view content)
        : content_(content), at_(content.starts_with(utf8_mark) ? utf8_mark.size() : 0) {}

    std::optional<Token> next() {
        while (at_ < content_.size()) {
            const char c = content_[at_];
            if (is_blank(c) || is_line_break(c) || c == ',') {
                ++at_;
            } else if (comment_starts(at_)) {
                const auto close = content_.find("*/", at_ + 2);
                at_ = close == std::string_view::npos ? content_.size() : close + 2;
            } else if (is_quote(c)) {
                return take(TokenKind::quoted, quoted_end(at_));
            } else if (c == '(' || c == ')') {
                return take(c == '(' ? TokenKind::open : TokenKind::close, at_ + 1);
            } else {
                return take(TokenKind::word, word_end(at_));
            }
        }
        return std::nullopt;
    }

  private:
    bool comment_starts(std::size_t at) const {
        return content_[at] == '/' && at + 1 < content_.size() && content_[at + 1] == '*';
    }

    // Just after the closing quote; a doubled quote stands for itself. A quote left open
    // ends at its line's end.
    std::size_t quoted_end(std::size_t at) const {
        const char quote = content_[at];
        for (++at; at < content_.size() && !is_line_break(content_[at]); ++at) {
            if (content_[at] != quote)
                continue;
            if (at + 1 < content_.size() && content_[at + 1] == quote)
                ++at;
            else
                return at + 1;
        }
        return at;
    }

    std::size_t word_end(std::size_t at) const {
        for (; at < content_.size(); ++at) {
            const char c = content_[at];
            if (is_blank(c) || is_line_break(c) || c == ',' || c == '(' || c == ')' ||
                is_quote(c) || comment_starts(at))
                break;
        }
        return at;
    }

    Token take(TokenKind kind, std::size_t end) {
        const Token token{kind, at_, end};
        at_ = end;
        return token;
    }

    std::string_view content_;
    std::size_t at_;
};

bool is_word(std::string_view content, const Token& token, std::string_view name) {
    return token.kind == TokenKind::word &&
           same_ignoring_case(content.substr(token.begin, token.end - token.begin), name);
}

bool only_blanks_between(std::string_view content, const Token& first, const Token& second) {
    for (auto at = first.end; at < second.begin; ++at)
        if (!is_blank(content[at]))
            return false;
    return second.begin > first.end;
}

// The rest of a list whose "(" has just been read; nothing when it is never closed.
std::optional<SasautosList> read_list(Tokens& tokens, std::size_t opening) {
    SasautosList list{opening, 0, {}};
    while (const auto token = tokens.next()) {
        if (token->kind == TokenKind::close) {
            list.closing = token->begin;
            return list;
        }
        if (token->kind != TokenKind::open)
            list.entries.push_back({token->begin, token->end, token->kind == TokenKind::quoted});
    }
    return std::nullopt;
}

} // namespace

std::vector<SasautosList> sasautos_lists(std::string_view content) {
    std::vector<SasautosList> lists;
    Tokens tokens(content);
    // The words of a setting read so far: "-SET", then "SASAUTOS".
    std::optional<Token> set_word;
    bool named = false;
    while (const auto token = tokens.next()) {
        if (named) {
            named = false;
            if (token->kind == TokenKind::open) {
                auto list = read_list(tokens, token->begin);
                if (!list)
                    break;
                lists.push_back(std::move(*list));
                continue;
            }
        }
        if (set_word) {
            const auto set = *set_word;
            set_word.reset();
            if (is_word(content, *token, "SASAUTOS") && only_blanks_between(content, set, *token)) {
                named = true;
                continue;
            }
        }
        if (is_word(content, *token, "-SET"))
            set_word = token;
    }
    return lists;
}

std::string sasautos_entry_folder(std::string_view content, const SasautosListEntry& entry) {
    const auto text = content.substr(entry.begin, entry.end - entry.begin);
    if (!entry.quoted)
        return std::string(text);
    const char quote = text.front();
    std::string folder;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == quote && i + 1 == text.size())
            break;
        folder += text[i];
        if (text[i] == quote)
            ++i;
    }
    return folder;
}

std::optional<std::string> first_option_value(std::string_view content, std::string_view option) {
    Tokens tokens(content);
    while (const auto token = tokens.next()) {
        if (!is_word(content, *token, option))
            continue;
        const auto value = tokens.next();
        if (!value)
            break;
        const bool quoted = value->kind == TokenKind::quoted;
        if (!quoted && (value->kind != TokenKind::word || content[value->begin] == '-'))
            continue;
        auto text = sasautos_entry_folder(content, {value->begin, value->end, quoted});
        if (!text.empty())
            return text;
    }
    return std::nullopt;
}

} // namespace morvane
