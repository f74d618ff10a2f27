#include "app/lifecycle/recorded_user_shell.hpp"

namespace morvane {

Result<std::string> RecordedUserShell::special_folder(SpecialFolder folder) {
    if (user_ && folder == SpecialFolder::desktop && !user_->desktop.empty())
        return user_->desktop;
    if (user_ && folder == SpecialFolder::programs && !user_->programs.empty())
        return user_->programs;
    return shell_.special_folder(folder);
}

Result<std::string> RecordedUserShell::make_special_folder(SpecialFolder folder) {
    return shell_.make_special_folder(folder);
}

Failure RecordedUserShell::save_shortcut(const Shortcut& shortcut) {
    return shell_.save_shortcut(shortcut);
}

Result<Shortcut> RecordedUserShell::read_shortcut(const std::string& path) {
    return shell_.read_shortcut(path);
}

Result<Shortcut> RecordedUserShell::shortcut_of(const std::string& path, std::string_view bytes) {
    return shell_.shortcut_of(path, bytes);
}

RecordedUserShell recorded_users_shell(const std::optional<SetupRecord>& record,
                                       Platform& platform) {
    const auto account = platform.account.current();
    return {platform.shell, record ? record->user : std::nullopt,
            account.ok() ? account.value().sid : ""};
}

Platform with_shell(const Platform& platform, Shell& shell) {
    return {platform.registry, platform.files,   platform.encoding, shell,
            platform.location, platform.pause,   platform.messages, platform.hashing,
            platform.account,  platform.computer};
}

} // namespace morvane
