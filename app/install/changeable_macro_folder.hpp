#pragma once

#include "platform/file_system.hpp"

#include <optional>
#include <string>

namespace morvane {

// The note an administrator gets when users other than administrators can change files in
// the macro folder, or in the program folder above it, which can replace the macro folder:
// every SAS session that reads the configuration file would run their macros. Nothing when
// neither folder lets them, or when neither folder's rights can be read. It does not
// refuse: trusting those users is the administrator's decision.
std::optional<std::string> changeable_macro_folder_note(FileSystem& files,
                                                        const std::string& macro_folder,
                                                        const std::string& program_folder,
                                                        const std::string& config_file);

} // namespace morvane
