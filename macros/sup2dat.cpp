#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view sup2dat_lines[] = {
    "/*----------------------------------------------------------------------*",
    "* program:     sup2dat.sas                                              *",
    "* Description: Generate analysis files from supplemental qualifier data.*",
    "* By:          Talmora, Inc.                                            *",
    "* Written:     Morvane setup team, December 2026                        *",
    "*----------------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro sup2dat(data = ,",
    "              rdomain = ,",
    "              varname = ,",
    "              vartype = ,",
    "              outdat  = );",
    "",
    "   proc display cat=morvlib.morvlib.sup2dat.scl; ",
    "   run;",
    "",
    "%mend sup2dat; ",
    "   ",
};

} // namespace

Failure create_sup2dat(const SasFileWriter& writer) {
    return writer.write_macro_file("sup2dat.sas", sup2dat_lines);
}

} // namespace morvane
