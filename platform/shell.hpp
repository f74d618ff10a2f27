#pragma once

#include "platform/platform_error.hpp"

#include <string>
#include <string_view>

namespace morvane {

enum class SpecialFolder { desktop, all_users_desktop, programs, all_users_programs };

struct Shortcut {
    std::string file_path;
    std::string description;
    int show_command = 1;
    std::string arguments;
    std::string target_path;
    std::string working_directory;
    std::string icon_location;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // The folder's path, also when it is missing: nothing is made, so that checking and
    // dry runs leave the machine as it was.
    virtual Result<std::string> special_folder(SpecialFolder folder) = 0;
    // The same, the folder made first where it is missing, as the installation needs it.
    virtual Result<std::string> make_special_folder(SpecialFolder folder) = 0;
    // Writes the shortcut file. An existing shortcut at that path is replaced whole; on
    // failure (a refused shortcut included) the old one stays as it was and no temporary
    // file is left.
    virtual Failure save_shortcut(const Shortcut& shortcut) = 0;
    // Every member of the shortcut file at path; a missing file fails with Kind::not_found.
    virtual Result<Shortcut> read_shortcut(const std::string& path) = 0;
    // The members that bytes read from the shortcut file at path hold, so that what is
    // judged is what was read, not the file found there by name later.
    virtual Result<Shortcut> shortcut_of(const std::string& path, std::string_view bytes) = 0;
};

} // namespace morvane
