#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

enum class RegistryValueType { string, expandable_string, multi_string, dword, binary, other };

// The view of HKEY_LOCAL_MACHINE a value was found in: 64-bit Windows keeps the keys of
// 32-bit programs apart, under WOW6432Node.
enum class RegistryView { bits64, bits32 };

// A value as stored; text holds REG_SZ and REG_EXPAND_SZ data converted to UTF-8, NULs
// included and nothing expanded, number the data of a REG_DWORD.
struct RegistryValue {
    RegistryValueType type = RegistryValueType::other;
    std::string text;
    std::uint32_t number = 0;
    RegistryView view = RegistryView::bits64;
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
