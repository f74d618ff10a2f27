#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view cdisc_lines[] = {
    "/*------------------------------------------------------------*",
    "* program:     cdisc.sas                                      *",
    "* Description: Create macro call                                *",
    "* By:          Talmora, Inc.                                  *",
    "* Written:     Morvane setup team, December 2026              *",
    "* Revised:     Morvane setup team, December 2026                *",
    "*-------------------------------------------------------------*/",
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro cdisc(datlib = , datname = );",
    "",
    "   proc display cat=morvlib.morvlib.cdisc.scl; ",
    "   run;",
    "%mend cdisc;",
    "",
    "",
};

} // namespace

Failure create_cdisc(const SasFileWriter& writer) {
    return writer.write_macro_file("cdisc.sas", cdisc_lines);
}

} // namespace morvane
