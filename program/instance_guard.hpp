#pragma once

#include "platform/account.hpp"
#include "platform/single_instance.hpp"

#include <string>

namespace morvane {

// What the guard that this run found means.
struct GuardVerdict {
    bool another_copy_running = false;
    // Why the run goes on past a guard it found; empty otherwise.
    std::string note;
};

// A copy of this setup makes the guard owned by the Administrators group (or, run without
// elevation, by its own account) and readable by administrators, so that a standard user
// who makes it first cannot stop every later run: such a guard is noted and passed over.
// account: the account this run is, when known.
GuardVerdict judge_guard(const InstanceClaim& claim, const ProcessAccount* account);

} // namespace morvane
