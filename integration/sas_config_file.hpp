#pragma once

#include "integration/sasautos_syntax.hpp"
#include "platform/file_system.hpp"
#include "sas/sas_releases.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// The configuration file of the release installed in root that gets the SASAUTOS entry.
std::string sas_config_to_update(FileSystem& files, const SasRelease& release,
                                 const std::string& root);

// The file named by the first -CONFIG option SAS reads in a root configuration file's
// content (comments skipped, quoted or bare), as a full path: a leading !SASROOT stands
// for root, and a relative path is taken from root; nothing without such an option.
std::optional<std::string> first_config_option(std::string_view content, const std::string& root);

} // namespace morvane
