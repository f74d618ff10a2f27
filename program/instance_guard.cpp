#include "program/instance_guard.hpp"

namespace morvane {
namespace {

constexpr const char* administrators_sid = "S-1-5-32-544";
constexpr const char* local_system_sid = "S-1-5-18";

} // namespace

GuardVerdict judge_guard(const InstanceClaim& claim, const ProcessAccount* account) {
    if (claim.outcome != InstanceClaim::Outcome::found)
        return {};
    if (claim.owner_sid.empty()) {
        // An elevated copy's guard is readable by administrators: one that an elevated
        // run cannot read was not made elevated. A standard user's run cannot read it.
        if (account != nullptr && account->elevated)
            return {false, "The guard against a second copy of the setup cannot be read by an "
                           "administrator, so this setup did not make it: the setup goes on."};
        return {true, ""};
    }
    if (claim.owner_sid == administrators_sid || claim.owner_sid == local_system_sid ||
        (account != nullptr && !account->elevated && claim.owner_sid == account->sid))
        return {true, ""};
    const auto owner = claim.owner_name.empty() ? claim.owner_sid : claim.owner_name;
    return {false, "The guard against a second copy of the setup was made by " + owner +
                       ", who is not an administrator, so this setup did not make it: the "
                       "setup goes on."};
}

} // namespace morvane
