#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

enum class RegistryValueType { string, expandable_string, multi_string, dword, binary, other };

// A value as stored; text holds REG_SZ and REG_EXPAND_SZ data converted to UTF-8, NULs
// included and nothing expanded, number the data of a REG_DWORD.
struct RegistryValue {
    RegistryValueType type = RegistryValueType::other;
    std::string text;
    std::uint32_t number = 0;
};

// Read access to HKEY_LOCAL_MACHINE, the only root the setup reads.
class Registry {
  public:
    virtual ~Registry() = default;
    // Nothing when the key or value is missing or cannot be read.
    virtual std::optional<RegistryValue> read_local_machine(const std::string& key_path,
                                                            const std::string& value_name) = 0;
};

} // namespace morvane
