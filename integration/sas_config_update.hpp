#pragma once

#include "platform/file_system.hpp"
#include "platform/text_encoding.hpp"

#include <string>

namespace morvane {

// Puts macro_folder on the SASAUTOS list of the SAS configuration file at config_path,
// in the file's own encoding: UTF-8 when it starts with a byte order mark, which it
// keeps, else the ANSI code page. The file is replaced in one step, so a failure never
// leaves it half written; a file that already lists the folder is not written at all.
Failure update_sas_config_file(FileSystem& files, TextEncoding& encoding,
                               const std::string& macro_folder, const std::string& config_path);

} // namespace morvane
