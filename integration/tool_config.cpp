#include "integration/tool_config.hpp"

namespace morvane {

Failure write_tool_config(const SasFileWriter& writer) {
    const std::string marker(program_folder_marker);
    return writer.write_template(writer.program_folder() + "\\morvane.cfg",
                                 {
                                     "-awstitle 'KVR - Morvane'",
                                     "-autoexec '" + marker + "\\saspgm\\autoexec.sas'",
                                     "-splashloc  '" + marker + "\\splsh.bmp'",
                                     "-initcmd 'af cat = pgmlib.morvlib.morvane_app.frame'",
                                 });
}

} // namespace morvane
