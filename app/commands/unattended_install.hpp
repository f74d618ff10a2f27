#pragma once

#include "app/commands/command_line.hpp"
#include "app/reporting/reporter.hpp"
#include "platform/platform.hpp"

namespace morvane {

// An installation without a window, message boxes or pauses, every line to reporter.
// Installs the release asked for, else the one the window would preselect. Gives the
// process exit code.
int run_unattended(const CommandLine& options, Platform& platform, Reporter& reporter);

} // namespace morvane
