#include "app/install/journaling_services.hpp"

#include "app/reporting/link_refusal.hpp"

namespace morvane {

Failure JournalingFileSystem::make_folder(const std::string& path) {
    if (auto refused = refuse_links(files_, {path}))
        return refused;
    auto failure = files_.make_folder(path);
    // Only a folder this installation made is its to remove.
    if (!failure)
        journal_.folder_made(path);
    return failure;
}

Failure JournalingFileSystem::write_file(const std::string& path, const std::string& content) {
    if (auto refused = refuse_links(files_, {path}))
        return refused;
    if (auto failure = files_.write_file(path, content))
        return failure;
    return journal_.file_written(path, content);
}

Failure JournalingFileSystem::write_file_parts(const std::string& path,
                                               const std::vector<std::string_view>& parts) {
    if (auto refused = refuse_links(files_, {path}))
        return refused;
    if (auto failure = files_.write_file_parts(path, parts))
        return failure;
    std::string content;
    for (const auto part : parts)
        content += part;
    return journal_.file_written(path, content);
}

Failure JournalingShell::save_shortcut(const Shortcut& shortcut) {
    if (auto refused = refuse_links(files_, {shortcut.file_path}))
        return refused;
    auto failure = shell_.save_shortcut(shortcut);
    if (!failure)
        journal_.shortcut_saved(shortcut.file_path);
    return failure;
}

} // namespace morvane
