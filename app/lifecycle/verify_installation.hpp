#pragma once

#include "integration/sasautos_update.hpp"
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

// The SAS configuration file of the release and what the SASAUTOS update would do to its
// content: already_listed when it lists the macro folder.
struct SasautosCheck {
    std::string config_file;
    std::function<SasautosOutcome(std::string_view content)> outcome;
};

// no_list: a SAS configuration file without a SASAUTOS list, which the installation leaves
// as it is; Morvane still starts, since autoexec.sas includes every macro file itself.
enum class VerifyStatus { ok, missing, changed, no_list };

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

// A missing line for each folder that is not there.
std::vector<VerifyLine> verify_folders(const std::vector<std::string>& folders,
                                       FileSystem& file_system);

// Whether the item keeps the installation from being complete: missing or changed.
bool fails_detection(const VerifyLine& line);

// Whether two shortcuts start the same thing the same way: every member but the path.
bool same_shortcut_members(const Shortcut& a, const Shortcut& b);

// "ok", "missing", "changed" or "no list", a blank, then the path.
std::string to_text(const VerifyLine& line);

} // namespace morvane
