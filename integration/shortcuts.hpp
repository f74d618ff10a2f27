#pragma once

#include "integration/shortcut_scope.hpp"
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

// What the product's AllUsers setting asks for: all users exactly when it reads "1".
ShortcutScope scope_of_setting(const InstallationRecord& record);

// The special folders that the scope's shortcuts go into: the desktop, then the programs.
std::vector<SpecialFolder> shortcut_folders(ShortcutScope scope);

// The folders below the special folders that saving the scope's shortcuts makes where
// missing, in the order it makes them; nothing asked of the shell is made.
Result<std::vector<std::string>> shortcut_folders_made(ShortcutScope scope, Shell& shell);

// The desktop and Start-menu shortcuts that start the release as Morvane, every member
// and the file path set, in the order they are saved. Changes nothing; fails only when a
// special folder cannot be had.
Result<std::vector<Shortcut>> morvane_shortcuts(const SasRelease& release,
                                                const InstallationRecord& record,
                                                ShortcutScope scope,
                                                const ShortcutServices& services);

// Saves those shortcuts, making their special folders where missing. A shortcut already
// there is replaced; one whose save is refused stays as it was.
Failure create_shortcuts(const SasRelease& release, const InstallationRecord& record,
                         ShortcutScope scope, const ShortcutServices& services);

} // namespace morvane
