#pragma once

#include "app/commands/command_line.hpp"
#include "app/reporting/reporter.hpp"
#include "platform/platform.hpp"

namespace morvane {

// /whatif: what an installation of the release it would choose would do, item by item
// ("create", "replace" or "unchanged"; the SASAUTOS change as a unified diff), reading
// only. Exits as the installation would.
int run_dry_run(const CommandLine& options, Platform& platform, Reporter& reporter);

} // namespace morvane
