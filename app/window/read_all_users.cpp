#include "app/window/read_all_users.hpp"

namespace morvane {

std::string read_all_users(Registry& registry, const std::string& key_path,
                           const std::string& value_name) {
    const auto value = registry.read_local_machine(key_path, value_name);
    if (!value)
        return "";
    switch (value->type) {
    case RegistryValueType::string:
    case RegistryValueType::expandable_string:
        return value->text.substr(0, value->text.find('\0'));
    case RegistryValueType::dword:
        return std::to_string(value->number);
    default:
        return "";
    }
}

} // namespace morvane
