#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view suppqual_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     suppqual.sas                                   *",
    "* Description: call suppqual.scl through a catalog            *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro suppqual(data =, ",
    "             varname =,",
    "             rdomain =, ",
    "             studyid =, ",
    "             idvar =, ",
    "             usubjid =, ",
    "             qorig =, ",
    "             output =,",
    "             basecode=,",
    "             merge=);   ",
    "   ",
    "",
    "   proc display cat= morvlib.morvlib.suppqual.scl; ",
    "   run;",
    "",
    "%mend suppqual; ",
};

} // namespace

Failure create_suppqual(const SasFileWriter& writer) {
    return writer.write_macro_file("suppqual.sas", suppqual_lines);
}

} // namespace morvane
