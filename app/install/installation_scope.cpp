#include "app/install/installation_scope.hpp"

#include "integration/shortcuts.hpp"

namespace morvane {

ScopeChoice choose_scope(std::optional<ShortcutScope> asked, const InstallationRecord& installation,
                         Account& account) {
    if (asked)
        return {*asked, ""};
    const auto current = account.current();
    if (current.ok() && current.value().service)
        return {ShortcutScope::all_users,
                "The setup runs as " + current.value().name +
                    ", a service account whose desktop no person sees: the shortcuts are made "
                    "for all users."};
    return {scope_of_setting(installation), ""};
}

ShortcutScope recorded_scope(const SetupRecord& record, const InstallationRecord& installation) {
    return record.scope.value_or(scope_of_setting(installation));
}

} // namespace morvane
