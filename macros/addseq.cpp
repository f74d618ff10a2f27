#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view addseq_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     addseq.sas                                     *",
    "* Description: Add a sequence number for multiple observation *",
    "*              per subject.                                   *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro addseq (data = , ",
    "        rdomain = , ",
    "        usubjid = ,",
    "        idvar = ,",
    "        sort = ,",
    "        basecode = );",
    "",
    "   proc display cat=morvlib.morvlib.addseq.scl; ",
    "   run;",
    "",
    "%mend addseq; ",
};

} // namespace

Failure create_addseq(const SasFileWriter& writer) {
    return writer.write_macro_file("addseq.sas", addseq_lines);
}

} // namespace morvane
