#include "tests/macros/expected_files.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string_view>

namespace morvane::testing {

extern const std::string_view expected_macro_files_text;

const std::map<std::string, std::vector<ExpectedLine>>& expected_macro_files() {
    static const auto files = [] {
        std::map<std::string, std::vector<ExpectedLine>> parsed;
        std::istringstream in{std::string(expected_macro_files_text)};
        std::string line;
        std::vector<ExpectedLine>* current = nullptr;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            if (line.rfind("== ", 0) == 0) {
                current = &parsed[line.substr(3, line.find(' ', 3) - 3)];
                continue;
            }
            // number|kind|width|text, where the text may hold '|'.
            const auto kind_at = line.find('|') + 1;
            const auto width_at = line.find('|', kind_at) + 1;
            const auto text_at = line.find('|', width_at) + 1;
            ExpectedLine expected;
            expected.is_credit = line.compare(kind_at, 6, "credit") == 0;
            const auto width = line.substr(width_at, text_at - width_at - 1);
            expected.width = width == "-" ? -1 : std::stoi(width);
            expected.text = line.substr(text_at);
            current->push_back(expected);
        }
        return parsed;
    }();
    return files;
}

std::vector<std::string> crlf_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
    for (const auto& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone CR or LF in: " << line;
    return lines;
}

std::string with_folder(const std::string& text, const std::string& folder_in_file) {
    const std::string marker = "{program_folder}";
    const auto at = text.find(marker);
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + folder_in_file + text.substr(at + marker.size());
}

} // namespace morvane::testing
