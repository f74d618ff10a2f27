#include "macros/macro_files.hpp"
#include "macros/parameter_lines.hpp"

namespace morvane {
namespace {

// One format block a letter; the letter replaces '?'. Lines are padded to 78 for the
// letters up to padded_through and left bare after it.
struct FormatBlockLine {
    std::string_view text;
    char padded_through;
};

constexpr FormatBlockLine format_block[] = {
    {"   %if %quote(&fpath_?) NE %then %do;", 'z'},
    {"      libname templib \"&fpath_?\";", 'z'},
    {"      libname library \"&fpath_?\";", 'c'},
    {"      *** Capture the format library through data set ***;", 'z'},
    {"", 'z'},
    {"      proc format library=templib.formats", 'z'},
    {"         cntlout=work.format_?;", 'z'},
    {"      run;", 'z'},
    {"   %end;", 'z'},
};

constexpr Padding format_folder_paddings[5] = {pad_to_78, pad_to_78, pad_to_78, pad_to_78,
                                               trailing_blanks(17)};

std::vector<std::string> format_blocks() {
    std::vector<std::string> lines;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (letter != 'a')
            lines.push_back(std::string(78, ' '));
        for (const auto& block_line : format_block) {
            std::string text(block_line.text);
            for (auto& c : text)
                c = c == '?' ? letter : c;
            lines.push_back(padded(std::move(text),
                                   letter <= block_line.padded_through ? pad_to_78 : no_padding));
        }
    }
    return lines;
}

} // namespace

const std::vector<std::string>& difftest_lines() {
    // The text never changes within a run: it is built once.
    static const std::vector<std::string> text = [] {
        std::vector<std::string> lines = {
            long_box_first_line(),
            long_box_program_line("difftest.sas"),
            " Description: Verifies the differences among SAS datasets",
            " Parameters:  fmtpath = format path, ",
            "              path_b ... path_z = path to the SAS data,",
            "              dat_b1...dat_z100 = dataset name",
            long_box_credit_line(),
            long_box_last_line(),
            "",
            "libname morvlib '" + std::string(program_folder_marker) + "\\saspgm';",
            "",
            "%macro difftest (",
        };
        append_lines(lines, letter_parameter_lines("fpath_", format_folder_paddings));
        lines.push_back("");
        append_lines(lines, data_folder_parameter_lines());
        lines.push_back("");
        append_lines(lines, dataset_parameter_lines());
        append_lines(lines, {padded("   title=", trailing_blanks(26)), ");", "",
                             "   *** Check for format catalogs ***;"});
        append_lines(lines, format_blocks());
        append_lines(lines, {"", "   proc display cat = morvlib.morvlib.difftest.scl batch;",
                             "   run;", "%mend ;", "", ""});
        return lines;
    }();
    return text;
}

Failure create_difftest(const SasFileWriter& writer) {
    return writer.write_macro_file("difftest.sas", difftest_lines());
}

} // namespace morvane
