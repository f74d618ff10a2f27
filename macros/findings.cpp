#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view findings_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     findings.sas                                   *",
    "* Description: Generate CDISC Findings data set for a         *",
    "*              specified domain.                              *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro findings (data = , ",
    "      studyid =,",
    "        rdomain = , ",
    "        usubjid = ,",
    "      testvars =,",
    "        varname = ,",
    "      output = ,",
    "        basecode = );",
    "   ",
    "   ",
    "   proc display cat=morvlib.morvlib.findings.scl; ",
    "   run;",
    "",
    "%mend findings; ",
};

} // namespace

Failure create_findings(const SasFileWriter& writer) {
    return writer.write_macro_file("findings.sas", findings_lines);
}

} // namespace morvane
