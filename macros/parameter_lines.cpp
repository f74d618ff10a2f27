#include "macros/parameter_lines.hpp"

namespace morvane {
namespace {

constexpr std::size_t names_per_line = 5;
constexpr std::size_t datasets_per_letter = 100;

// Letters a and z of the data set lines differ from the rest: a is never padded, and
// the last line of z (the end of the list) is not padded either.
Padding dataset_line_padding(char letter, std::size_t line_of_letter, std::size_t lines) {
    if (letter == 'a' || (letter == 'z' && line_of_letter == lines))
        return no_padding;
    return pad_to_78;
}

// "   name=, name=, ...," with the padding after the last comma.
std::string parameter_line(const std::vector<std::string>& names, Padding padding) {
    std::string line = "   ";
    for (std::size_t i = 0; i < names.size(); ++i)
        line += (i == 0 ? "" : " ") + names[i] + "=,";
    return padded(std::move(line), padding);
}

} // namespace

std::string padded(std::string text, Padding padding) {
    switch (padding.kind) {
    case Padding::Kind::none:
        break;
    case Padding::Kind::to_width:
        if (text.size() < padding.count)
            text.append(padding.count - text.size(), ' ');
        break;
    case Padding::Kind::blanks:
        text.append(padding.count, ' ');
        break;
    }
    return text;
}

std::vector<std::string> letter_parameter_lines(std::string_view prefix,
                                                const Padding (&paddings)[5]) {
    static constexpr std::string_view groups[] = {"abcde", "fghij", "klmno", "pqrst", "uvwxyz"};
    std::vector<std::string> lines;
    for (std::size_t g = 0; g < std::size(groups); ++g) {
        std::vector<std::string> names;
        for (const char letter : groups[g])
            names.push_back(std::string(prefix) + letter);
        lines.push_back(parameter_line(names, paddings[g]));
    }
    return lines;
}

std::vector<std::string> data_folder_parameter_lines() {
    constexpr Padding one_blank = trailing_blanks(1);
    constexpr Padding paddings[5] = {one_blank, one_blank, one_blank, one_blank, one_blank};
    return letter_parameter_lines("path_", paddings);
}

std::vector<std::string> dataset_parameter_lines() {
    constexpr std::size_t lines_per_letter = datasets_per_letter / names_per_line;
    std::vector<std::string> lines;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        for (std::size_t k = 1; k <= lines_per_letter; ++k) {
            std::vector<std::string> names;
            for (std::size_t n = names_per_line * k - 4; n <= names_per_line * k; ++n)
                names.push_back("dat_" + std::string(1, letter) + std::to_string(n));
            lines.push_back(
                parameter_line(names, dataset_line_padding(letter, k, lines_per_letter)));
        }
    }
    return lines;
}

void append_lines(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

std::string long_box_first_line() {
    return padded("/*" + std::string(61, '-') + "*", trailing_blanks(14));
}

std::string long_box_program_line(std::string_view file_name) {
    return padded(" program:     " + std::string(file_name), trailing_blanks(50));
}

std::string long_box_credit_line() {
    return padded(" By:          Morvane setup team, December 2026", {Padding::Kind::to_width, 74});
}

std::string long_box_last_line() {
    return "*" + std::string(62, '-') + "*/";
}

} // namespace morvane
