#include "integration/tool_config.hpp"

#include "product/layout.hpp"

namespace morvane {

Failure write_tool_config(const SasFileWriter& writer) {
    const std::string marker(program_folder_marker);
    return writer.write_template(launch_config_path(writer.program_folder()),
                                 {
                                     "-awstitle 'KVR - Morvane'",
                                     "-autoexec '" + marker + "\\saspgm\\autoexec.sas'",
                                     "-splashloc  '" + marker + "\\splsh.bmp'",
                                     "-initcmd 'af cat = pgmlib.morvlib.morvane_app.frame'",
                                 });
}

} // namespace morvane
