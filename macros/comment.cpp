#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view comment_lines[] = {
    "/*--------------------------------------------------------------------------------   *",
    "* program:     comment.sas                                                               *",
    "* Description: Generate comment domain dataset as part of the SDTM of CDISC.         *",
    "* Parameters:  data    = input data set,                                             *",
    "*              comvar  = comment variable                                                *",
    "*              datevar = date variable                                                   *",
    "*              rdomain = related domain                                                  *",
    "*              studyid = study identifier                                            *",
    "*              usubjid = unique subject identifier                                       *",
    "*              idvar   = identifier variable                                         *",
    "*              output  = output data set                                         *",
    "* Written:     Morvane setup team, December 2026                                     *",
    "*---------------------------------------------------------------------------------   */",
    "libname morvlib '{program_folder}\\saspgm';",
    "",
    "%macro comment (data = ,",
    "              comvar = , ",
    "              datevar = , ",
    "              rdomain = , ",
    "                  studyid = ,",
    "               usubjid = ,",
    "              idvar = ,",
    "                  output =,",
    "               basecode=);",
    "",
    "proc display c = morvlib.morvlib.comment.scl;",
    "run;",
    "%mend comment;",
};

} // namespace

Failure create_comment(const SasFileWriter& writer) {
    return writer.write_macro_file("comment.sas", comment_lines);
}

} // namespace morvane
