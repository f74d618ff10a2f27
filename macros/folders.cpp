#include "macros/macro_files.hpp"

namespace morvane {

void create_folders(Shell& shell, FileSystem& files, const std::string& macro_folder) {
    // Each level is tried on its own: an existing or refused folder must not keep the
    // next one from being made.
    for (const char* sub_folder : {"\\Talmora", "\\Talmora\\MORVANE"}) {
        const auto programs = shell.special_folder(SpecialFolder::programs);
        if (programs.ok())
            files.make_folder(programs.value() + sub_folder);
    }
    files.make_folder(macro_folder);
}

} // namespace morvane
