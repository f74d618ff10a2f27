#include "app/install/changeable_macro_folder.hpp"

namespace morvane {

std::optional<std::string> changeable_macro_folder_note(FileSystem& files,
                                                        const std::string& macro_folder,
                                                        const std::string& program_folder,
                                                        const std::string& config_file) {
    for (const auto& folder : {macro_folder, program_folder}) {
        const auto groups = files.groups_that_can_change(folder);
        if (!groups.ok() || groups.value().empty())
            continue;
        std::string names;
        for (const auto& group : groups.value())
            names += (names.empty() ? "" : ", ") + group;
        return "Note: users other than administrators (" + names + ") can change files in " +
               folder + "; every SAS session that reads " + config_file +
               " would run their macros.";
    }
    return std::nullopt;
}

} // namespace morvane
