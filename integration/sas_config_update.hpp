#pragma once

#include "macros/sas_file_writer.hpp"
#include "platform/file_system.hpp"
#include "platform/text_encoding.hpp"

#include <string>

namespace morvane {

// Puts the macro folder on the SASAUTOS list of the SAS configuration file at
// config_path. The file is replaced in one step, so a failure never leaves it half
// written. Reports its own failure; true also when the folder was already listed.
bool update_sas_config_file(FileSystem& files, TextEncoding& encoding, const SasFileWriter& writer,
                            const std::string& config_path);

} // namespace morvane
