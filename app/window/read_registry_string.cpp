#include "app/window/read_registry_string.hpp"

namespace morvane {

std::optional<std::string> read_registry_string(Registry& registry, const std::string& key_path,
                                                const std::string& value_name) {
    const auto value = registry.read_local_machine(key_path, value_name);
    if (!value || value->type != RegistryValueType::string)
        return std::nullopt;
    const auto nul = value->text.find('\0');
    return nul == std::string::npos ? value->text : value->text.substr(0, nul);
}

} // namespace morvane
