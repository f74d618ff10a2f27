#pragma once

#include "app/record/setup_record.hpp"
#include "integration/shortcut_scope.hpp"
#include "platform/account.hpp"
#include "sas/installation_record.hpp"

#include <optional>
#include <string>

namespace morvane {

// For whom an installation makes the shortcuts and the Start-menu folders, and why when
// the account decided it.
struct ScopeChoice {
    ShortcutScope scope = ShortcutScope::current_user;
    std::string reason; // empty unless the account decided
};

// asked: a scope switch, or the scope a setup record keeps. Without one, a service
// account sets up for all users, since no person ever sees its desktop; any other
// account as the product's AllUsers setting says.
ScopeChoice choose_scope(std::optional<ShortcutScope> asked, const InstallationRecord& installation,
                         Account& account);

// The scope the record's installation used; a record written before scopes were kept
// means what the AllUsers setting says.
ShortcutScope recorded_scope(const SetupRecord& record, const InstallationRecord& installation);

} // namespace morvane
