#pragma once

#include "platform/file_system.hpp"
#include "platform/shell.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// A file as this program writes it for this program folder.
struct ExpectedFile {
    std::string path;
    std::string content;
};

// The SAS configuration file of the release and how to tell whether it lists the macro
// folder; the test on its content is the SASAUTOS update's own.
struct SasautosCheck {
    std::string config_file;
    std::function<bool(std::string_view content)> lists_macro_folder;
};

enum class VerifyStatus { ok, missing, changed };

struct VerifyLine {
    VerifyStatus status = VerifyStatus::ok;
    std::string path;
};

// One line per item, in the order given: the files, the shortcuts (every member
// compared), then the SAS configuration file. Changes nothing. An item that is there but
// cannot be read counts as changed, since it is not what this program wrote.
std::vector<VerifyLine> verify_installation(const std::vector<ExpectedFile>& files,
                                            const std::vector<Shortcut>& shortcuts,
                                            const SasautosCheck& sasautos, FileSystem& file_system,
                                            Shell& shell);

// Whether two shortcuts start the same thing the same way: every member but the path.
bool same_shortcut_members(const Shortcut& a, const Shortcut& b);

// "ok", "missing" or "changed", a blank, then the path.
std::string to_text(const VerifyLine& line);

} // namespace morvane
