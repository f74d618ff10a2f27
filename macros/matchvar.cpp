#include "macros/macro_files.hpp"
#include "macros/parameter_lines.hpp"

namespace morvane {

const std::vector<std::string>& matchvar_lines() {
    // The text never changes within a run: it is built once.
    static const std::vector<std::string> text = [] {
        std::vector<std::string> lines = {
            long_box_first_line(),
            long_box_program_line("matchvar.sas"),
            " Description: Match variable name and label if they are similar",
            " Parameters:  path_a ... path_z = path to the SAS data,",
            "              dat_a1...dat_z100 = dataset name,",
            "              score = tolerance score,",
            "              title = title for report",
            long_box_credit_line(),
            long_box_last_line(),
            "",
            "libname morvlib '" + std::string(program_folder_marker) + "\\saspgm';",
            "",
            "%macro matchvar (",
        };
        append_lines(lines, data_folder_parameter_lines());
        lines.push_back("");
        append_lines(lines, dataset_parameter_lines());
        append_lines(lines, {padded("   score=, title=,output=", trailing_blanks(23)), ");", "",
                             "   proc display cat = morvlib.morvlib.matchvar.scl batch;", "   run;",
                             "%mend ;", "", ""});
        return lines;
    }();
    return text;
}

Failure create_matchvar(const SasFileWriter& writer) {
    return writer.write_macro_file("matchvar.sas", matchvar_lines());
}

} // namespace morvane
