#pragma once

#include "app/lifecycle/verify_installation.hpp"
#include "integration/shortcut_scope.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <string>
#include <vector>

namespace morvane {

// Everything an installation of a release makes in this program folder, worked out
// without writing anything: the generated files with the exact bytes installing writes.
struct InstallationItems {
    std::vector<ExpectedFile> macro_library; // autoexec.sas, then the macro files in order
    ExpectedFile tool_config;                // morvane.cfg
    std::vector<Shortcut> shortcuts;         // desktop, then Start menu
    std::string sas_config_file;             // the one that gets the SASAUTOS entry
    std::string macro_folder;
    // The special folders the shortcuts go into: desktop, then programs.
    std::vector<std::string> shortcut_folders;
    // Every folder the installation makes where it is missing, in the order it makes them.
    std::vector<std::string> folders;

    // The generated files in the order verify lists them.
    std::vector<ExpectedFile> files() const;
};

// Fails when a file cannot be rendered (a program folder the code page cannot hold) or a
// special folder cannot be had, as the installation itself would.
Result<InstallationItems> installation_items(const InstallationRecord& record,
                                             const SasRelease& release, ShortcutScope scope,
                                             Platform& platform);

} // namespace morvane
