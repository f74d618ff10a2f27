#pragma once

#include "platform/file_system.hpp"
#include "platform/shell.hpp"
#include "sas/installation_record.hpp"

#include <string>
#include <vector>

namespace morvane {

struct ShortcutServices {
    Shell& shell;
    FileSystem& files;
    // Without a trailing backslash.
    std::string program_folder;
    std::string program_stem;
};

// The desktop and Start-menu shortcuts that start the release as Morvane, every member
// and the file path set, in the order they are saved. Changes nothing; fails only when a
// special folder cannot be had.
Result<std::vector<Shortcut>> morvane_shortcuts(const SasRelease& release,
                                                const InstallationRecord& record,
                                                const ShortcutServices& services);

// Saves those shortcuts. A shortcut already there is replaced; one whose save is refused
// stays as it was.
Failure create_shortcuts(const SasRelease& release, const InstallationRecord& record,
                         const ShortcutServices& services);

} // namespace morvane
