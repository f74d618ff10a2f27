#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view ordervar_lines[] = {
    "libname morvlib '{program_folder}\\saspgm';",
    "%macro ordervar (data = , ",
    "        rdomain = , ",
    "        key1 = ,",
    "        key2 = ,",
    "        key3 = ,",
    "        key4 = ,",
    "        key5 = ,",
    "        key6 = ,",
    "        key7 = ,",
    "        key8 = ,",
    "        key9 = ,",
    "        key10 = ,",
    "        alphabetize = ,",
    "        basecode = );",
    "   ",
    "   proc display cat=morvlib.morvlib.ordervar.scl; ",
    "   run;",
    "",
    "%mend ordervar; ",
};

} // namespace

Failure create_ordervar(const SasFileWriter& writer) {
    return writer.write_macro_file("ordervar.sas", ordervar_lines);
}

} // namespace morvane
