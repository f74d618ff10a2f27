#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Letter case, blanks and byte order marks as configuration files, the setup record and
// Windows paths need them: ASCII only, whatever the code page of the bytes around it.
namespace morvane {

// The byte order mark that makes a file UTF-8 rather than the ANSI code page.
inline constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

constexpr char ascii_upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string ascii_lower(std::string text) {
    for (auto& c : text)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
}

constexpr bool same_letter(char a, char b) {
    return ascii_upper(a) == ascii_upper(b);
}

constexpr bool same_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same_letter);
}

constexpr bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           same_ignoring_case(text.substr(0, prefix.size()), prefix);
}

constexpr bool ends_with_ignoring_case(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           same_ignoring_case(text.substr(text.size() - suffix.size()), suffix);
}

constexpr bool contains_ignoring_case(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same_letter) !=
           text.end();
}

// Without the blanks at either end.
constexpr std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

constexpr std::string_view without_utf8_mark(std::string_view text) {
    return text.starts_with(utf8_mark) ? text.substr(utf8_mark.size()) : text;
}

} // namespace morvane
