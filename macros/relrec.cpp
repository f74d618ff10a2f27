#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view relrec_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     relrec.sas                                     *",
    "* Description: Create macro call                             *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "* Revised:     Morvane setup team, December 2026                *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro relrec(data = , ",
    "        rdomain = , ",
    "        studyid = ,",
    "        usubjid = ,",
    "        idvar = ,",
    "        output = ,",
    "        basecode = );   ",
    "   proc display cat=morvlib.morvlib.relrec.scl; ",
    "   run;",
    "%mend relrec;",
};

} // namespace

Failure create_relrec(const SasFileWriter& writer) {
    return writer.write_macro_file("relrec.sas", relrec_lines);
}

} // namespace morvane
