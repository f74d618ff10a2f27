#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view contents_lines[] = {
    "libname morvlib '{program_folder}\\saspgm';",
    "",
    "%macro contents(indata =, ",
    "       reptype =,",
    "       output =);",
    "   proc display cat=morvlib.morvlib.contents.scl; ",
    "   run;",
    "",
    "%mend contents; ",
};

} // namespace

Failure create_contents(const SasFileWriter& writer) {
    return writer.write_macro_file("contents.sas", contents_lines);
}

} // namespace morvane
