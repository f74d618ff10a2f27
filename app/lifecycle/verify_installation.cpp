#include "app/lifecycle/verify_installation.hpp"

#include <algorithm>

namespace morvane {
namespace {

template <class T> VerifyStatus status_of(const Result<T>& found, bool equal_if_found) {
    if (!found.ok())
        return found.error().is_not_found() ? VerifyStatus::missing : VerifyStatus::changed;
    return equal_if_found ? VerifyStatus::ok : VerifyStatus::changed;
}

} // namespace

bool same_shortcut_members(const Shortcut& a, const Shortcut& b) {
    return a.description == b.description && a.show_command == b.show_command &&
           a.arguments == b.arguments && a.target_path == b.target_path &&
           a.working_directory == b.working_directory && a.icon_location == b.icon_location;
}

std::vector<VerifyLine> verify_installation(const std::vector<ExpectedFile>& files,
                                            const std::vector<Shortcut>& shortcuts,
                                            const SasautosCheck& sasautos, FileSystem& file_system,
                                            Shell& shell) {
    std::vector<VerifyLine> lines;
    for (const auto& file : files) {
        const auto found = file_system.read_file(file.path);
        lines.push_back({status_of(found, found.ok() && found.value() == file.content), file.path});
    }
    for (const auto& shortcut : shortcuts) {
        const auto found = shell.read_shortcut(shortcut.file_path);
        lines.push_back(
            {status_of(found, found.ok() && same_shortcut_members(found.value(), shortcut)),
             shortcut.file_path});
    }
    // A configuration file with a list that does not name the folder is missing its entry.
    const auto config = file_system.read_file(sasautos.config_file);
    auto status = status_of(config, false);
    if (config.ok())
        switch (sasautos.outcome(config.value())) {
        case SasautosOutcome::already_listed:
            status = VerifyStatus::ok;
            break;
        case SasautosOutcome::no_list:
            status = VerifyStatus::no_list;
            break;
        case SasautosOutcome::updated:
            status = VerifyStatus::missing;
            break;
        }
    lines.push_back({status, sasautos.config_file});
    return lines;
}

std::vector<VerifyLine> verify_folders(const std::vector<std::string>& folders,
                                       FileSystem& file_system) {
    std::vector<VerifyLine> lines;
    for (const auto& folder : folders)
        if (!file_system.folder_exists(folder))
            lines.push_back({VerifyStatus::missing, folder});
    return lines;
}

bool fails_detection(const VerifyLine& line) {
    return line.status == VerifyStatus::missing || line.status == VerifyStatus::changed;
}

std::string to_text(const VerifyLine& line) {
    switch (line.status) {
    case VerifyStatus::ok:
        return "ok " + line.path;
    case VerifyStatus::missing:
        return "missing " + line.path;
    case VerifyStatus::changed:
        return "changed " + line.path;
    case VerifyStatus::no_list:
        return "no list " + line.path;
    }
    return line.path;
}

} // namespace morvane
