#include "macros/macro_files.hpp"

#include "product/layout.hpp"

namespace morvane {

void create_folders(Shell& shell, FileSystem& files, const std::string& macro_folder) {
    // Each level is tried on its own: an existing or refused folder must not keep the
    // next one from being made.
    for (const auto folder_in : {vendor_folder_path, product_folder_path}) {
        const auto programs = shell.make_special_folder(SpecialFolder::programs);
        if (programs.ok())
            files.make_folder(folder_in(programs.value()));
    }
    files.make_folder(macro_folder);
}

} // namespace morvane
