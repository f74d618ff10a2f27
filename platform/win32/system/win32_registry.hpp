#pragma once

#include "platform/registry.hpp"

namespace morvane::win32 {

// HKEY_LOCAL_MACHINE in the program's own view, then in the other one: 32-bit SAS
// releases register in the 32-bit view, which a 64-bit program does not see by default.
class Win32Registry : public Registry {
  public:
    std::optional<RegistryValue> read_local_machine(const std::string& key_path,
                                                    const std::string& value_name) override;
};

} // namespace morvane::win32
