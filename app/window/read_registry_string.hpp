#pragma once

#include "platform/registry.hpp"

#include <optional>
#include <string>

namespace morvane {

// A plain string value of HKEY_LOCAL_MACHINE up to its first NUL; nothing for a
// missing key or value, another value type, or a failed read.
std::optional<std::string> read_registry_string(Registry& registry, const std::string& key_path,
                                                const std::string& value_name);

} // namespace morvane
