#include "macros/macro_files.hpp"

namespace morvane {

Failure create_autoexec(const SasFileWriter& writer, Shell& shell, FileSystem& files) {
    create_folders(shell, files, writer.macro_folder());
    return write_autoexec(writer);
}

Failure write_autoexec(const SasFileWriter& writer) {
    const std::string marker(program_folder_marker);
    std::vector<std::string> lines = {
        "options awsdef=(0 0 100 100);",
        "libname pgmlib    '" + marker + "\\saspgm';",
        "",
    };
    for (const auto& macro_file : macro_files)
        lines.push_back("%include '" + marker + "\\saspgm\\" + std::string(macro_file.file_name) +
                        "';");
    return writer.write_macro_file(autoexec_file_name, lines);
}

} // namespace morvane
