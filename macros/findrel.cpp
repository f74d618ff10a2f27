#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view findrel_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     findrel.sas                                    *",
    "* Description: Find variables that are potential related      *",
    "*              records used with %relrec                      *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro findrel(data =,",
    "              dataset =,",
    "              output =,",
    "              search =); ",
    "   ",
    "   proc display cat=morvlib.morvlib.findrel.scl; ",
    "   run;",
    "",
    "%mend findrel; ",
};

} // namespace

Failure create_findrel(const SasFileWriter& writer) {
    return writer.write_macro_file("findrel.sas", findrel_lines);
}

} // namespace morvane
