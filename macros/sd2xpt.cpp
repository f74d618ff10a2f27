#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view sd2xpt_lines[] = {
    "/*--------------------------------------------------------------------------------   *",
    "* program:     comment.sas                                                               *",
    "* Description: Generate comment domain dataset as part of the SDTM of CDISC.         *",
    "* Parameters:  data    = input data set,                                             *",
    "*              comvar  = comment variable                                                *",
    "*              datevar = date variable                                                   *",
    "*              rdomain = related domain                                                  *",
    "*              studyid = study identifier                                            *   ",
    "*              usubjid = unique subject identifier                                       *",
    "*              idvar   = identifier variable                                         *",
    "*              output  = output data set                                         *                   ",
    "* Written:     Morvane setup team, December 2026                                     *",
    "*---------------------------------------------------------------------------------   */",
    "libname morvlib '{program_folder}\\saspgm';",
    "",
    "%macro comment (data = ,",
    "                comvar = , ",
    "                datevar = , ",
    "                rdomain = , ",
    "                studyid = ,",
    "                usubjid = ,",
    "                idvar = ,",
    "                output =,",
    "                backcode =,",
    "                basecode=);",
    "",
    "proc display cat = morvlib.morvlib.comment.scl;",
    "run;",
    "%mend comment;",
    "",
    "%macro sd2xpt (inpath=,",
    "                  outpath=,",
    "                  outfile=,",
    "                  select=,",
    "                  runcode=,",
    "                  basecode=); ",
    "proc display cat = morvlib.morvlib.sd2xpt.scl;",
    "run;",
    "",
    "%mend sd2xpt;",
};

} // namespace

Failure create_sd2xpt(const SasFileWriter& writer) {
    return writer.write_macro_file("sd2xpt.sas", sd2xpt_lines);
}

} // namespace morvane
