#include "macros/macro_files.hpp"

namespace morvane {
namespace {

constexpr std::string_view metadata_lines[] = {
    "/*--------------------------------------------------------------------------------   *",
    "* program:     metadata.scl                                                          *",
    "* Description: Generate and maintain a metadata database with search capabilities.   *",
    "* Parameters:  source = source datasets                                                  *               ",
    "*              metadb = metadata database library                                        *",
    "*              search = search criteria                                                  *",
    "*              task = database management tasks                                          *",
    "*              output = output report                                                *                   ",
    "* Written:     Morvane setup team, December 2026                                         *",
    "*---------------------------------------------------------------------------------   */",
    "libname morvlib '{program_folder}\\saspgm';",
    "",
    "%macro metadata (source =, ",
    "           label =, ",
    "           metadb =, ",
    "           search =,",
    "           task =,",
    "           output =);",
    "proc display c = morvlib.morvlib.Metadata.scl;",
    "run;",
    "%mend metadata;",
};

} // namespace

Failure create_metadata(const SasFileWriter& writer) {
    return writer.write_macro_file("metadata.sas", metadata_lines);
}

} // namespace morvane
