#pragma once

#include "app/record/setup_record.hpp"
#include "platform/platform.hpp"

#include <optional>

namespace morvane {

// The account this installation runs as and its desktop and Programs folders as they are
// now, so that an uninstallation by another account finds that user's shortcuts and
// Start-menu folders. Nothing when the account or a folder cannot be told.
std::optional<RecordedUser> installing_user(Platform& platform);

} // namespace morvane
