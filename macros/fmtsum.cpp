#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view fmtsum_lines[] = {
    "/*-------------------------------------------------------------*              ",
    " program:     fmtsum.sas                                                  ",
    " Description: Creates a summary report of all formats used ",
    "              with variables in specified data sets.",
    " Parameters:  fmtpath=format catalog path,",
    "              datname=dataset name",
    " By:          Morvane setup team, December 2026                           ",
    "*--------------------------------------------------------------*/",
    "",
    "%macro fmtsum (fmtpath=, datname=, backcode=, output=);",
    "",
    "   libname _cdisc_ \"&fmtpath\";",
    "   *** Check for format catalogs ***;",
    "   %if %quote('&fmtpath') NE %then %do;",
    "",
    "      *** Capture the format library through data set ***;",
    "      proc format library=_cdisc_.formats",
    "         cntlout=work.format;",
    "      run;",
    "   %end;",
    "",
    "   libname morvlib '{program_folder}\\saspgm';",
    "   proc display cat = morvlib.morvlib.fmtsum.scl batch;",
    "   run;",
    "%mend ;",
    "",
    "",
};

} // namespace

Failure create_fmtsum(const SasFileWriter& writer) {
    return writer.write_macro_file("fmtsum.sas", fmtsum_lines);
}

} // namespace morvane
