#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace morvane {

// A folder of this run's own in the temporary folder: two runs at once must not clear
// each other's files away.
inline std::filesystem::path scratch_folder(const std::string& name) {
    return std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
}

} // namespace morvane
