#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view varlen_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     varlen.sas                                     *",
    "* Description: Create macro call                             *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro varlen(indata = ,",
    "              round = ,",
    "              output = ,",
    "              overflow  = );",
    "",
    "   proc display cat=morvlib.morvlib.varlen.scl; ",
    "   run;",
    "",
    "%mend varlen; ",
    "   ",
};

} // namespace

Failure create_varlen(const SasFileWriter& writer) {
    return writer.write_macro_file("varlen.sas", varlen_lines);
}

} // namespace morvane
