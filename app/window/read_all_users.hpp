#pragma once

#include "platform/registry.hpp"

#include <string>

namespace morvane {

// The product's AllUsers value as text, however a deployment tool stored it: a string
// (REG_SZ or REG_EXPAND_SZ, not expanded) up to its first NUL, a DWORD in decimal; empty
// when missing or of another type.
std::string read_all_users(Registry& registry, const std::string& key_path,
                           const std::string& value_name);

} // namespace morvane
