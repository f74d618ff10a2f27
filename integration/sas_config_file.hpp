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

} // namespace morvane
