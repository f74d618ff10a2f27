#include "product/layout.hpp"

namespace morvane {
namespace {

std::string inside(const std::string& folder, std::string_view name) {
    return folder + "\\" + std::string(name);
}

} // namespace

std::string macro_folder_path(const std::string& program_folder) {
    return inside(program_folder, product_layout.macro_folder);
}

std::string launch_config_path(const std::string& program_folder) {
    return inside(program_folder, product_layout.launch_config);
}

std::string setup_record_path(const std::string& program_folder) {
    return inside(program_folder, product_layout.setup_record);
}

std::string vendor_folder_path(const std::string& programs_folder) {
    return inside(programs_folder, product_layout.vendor_folder);
}

std::string product_folder_path(const std::string& programs_folder) {
    return inside(vendor_folder_path(programs_folder), product_layout.product_folder);
}

std::string shortcut_path(const std::string& folder) {
    return inside(folder, product_layout.shortcut);
}

} // namespace morvane
