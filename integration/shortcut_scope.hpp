#pragma once

namespace morvane {

// For whom the shortcuts and the Start-menu folders are made.
enum class ShortcutScope { current_user, all_users };

} // namespace morvane
