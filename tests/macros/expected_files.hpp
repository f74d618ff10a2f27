#pragma once

#include <map>
#include <string>
#include <vector>

namespace morvane::testing {

struct ExpectedLine {
    bool is_credit = false;
    // Negative where the line holds the program folder.
    int width = -1;
    std::string text;
};

// Every line of the generated macro files, by file name, as the file tables give them.
const std::map<std::string, std::vector<ExpectedLine>>& expected_macro_files();

// The file's bytes split at CR LF; fails the test if anything follows the last CR LF or
// a CR or LF stands alone.
std::vector<std::string> crlf_lines(const std::string& bytes);

// Replaces "{program_folder}" by the folder as it must appear in the file.
std::string with_folder(const std::string& text, const std::string& folder_in_file);

} // namespace morvane::testing
