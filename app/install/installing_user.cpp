#include "app/install/installing_user.hpp"

namespace morvane {

std::optional<RecordedUser> installing_user(Platform& platform) {
    const auto account = platform.account.current();
    const auto desktop = platform.shell.special_folder(SpecialFolder::desktop);
    const auto programs = platform.shell.special_folder(SpecialFolder::programs);
    if (!account.ok() || !desktop.ok() || !programs.ok())
        return std::nullopt;
    return RecordedUser{account.value().sid, desktop.value(), programs.value()};
}

} // namespace morvane
