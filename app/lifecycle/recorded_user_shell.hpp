#pragma once

#include "app/record/setup_record.hpp"
#include "platform/platform.hpp"

#include <optional>

namespace morvane {

// The shell as seen by the user a current-user installation was made for: to another
// account (a deployment tool's SYSTEM, an administrator) that user's desktop and Programs
// folders are the recorded ones, so that it checks the places the shortcuts really went.
// That user sees their own folders as they are now, wherever they have moved since.
class RecordedUserShell : public Shell {
  public:
    RecordedUserShell(Shell& shell, std::optional<RecordedUser> user, const std::string& own_sid)
        : shell_(shell), user_(user && user->sid != own_sid ? std::move(user) : std::nullopt) {}
    Result<std::string> special_folder(SpecialFolder folder) override;
    Result<std::string> make_special_folder(SpecialFolder folder) override;
    Failure save_shortcut(const Shortcut& shortcut) override;
    Result<Shortcut> read_shortcut(const std::string& path) override;
    Result<Shortcut> shortcut_of(const std::string& path, std::string_view bytes) override;

  private:
    Shell& shell_;
    std::optional<RecordedUser> user_;
};

// The shell of the user the record names, for the account running this.
RecordedUserShell recorded_users_shell(const std::optional<SetupRecord>& record,
                                       Platform& platform);

// The platform with its shell replaced.
Platform with_shell(const Platform& platform, Shell& shell);

} // namespace morvane
