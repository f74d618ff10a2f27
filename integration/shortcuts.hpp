#pragma once

#include "app/installation_record.hpp"
#include "macros/sas_file_writer.hpp"
#include "platform/file_system.hpp"
#include "platform/shell.hpp"

#include <string>

namespace morvane {

struct ShortcutServices {
    Shell& shell;
    FileSystem& files;
    const SasFileWriter& writer;
    std::string program_stem;
};

// Saves the desktop and Start-menu shortcuts that start the SAS version of sas_version
// ("sas8", "sas9" or "sas92") as Morvane. Reports its own failure.
bool create_shortcuts(const std::string& sas_version, const InstallationRecord& record,
                      const ShortcutServices& services);

} // namespace morvane
