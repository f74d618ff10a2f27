#pragma once

#include "platform/file_system.hpp"
#include "sas/sas_releases.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

// The configuration file of the release installed in root that gets the SASAUTOS entry.
std::string sas_config_to_update(FileSystem& files, const SasRelease& release,
                                 const std::string& root);

// The file named by the first -CONFIG line of a root configuration file's content,
// quoted or bare, with a leading !SASROOT standing for root; nothing without such a line.
std::optional<std::string> first_config_option(std::string_view content, const std::string& root);

// The byte order mark that makes a configuration file UTF-8 rather than the ANSI code page.
inline constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

} // namespace morvane
