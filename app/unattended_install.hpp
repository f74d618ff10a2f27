#pragma once

#include "app/command_line.hpp"
#include "app/install_log.hpp"
#include "platform/console.hpp"
#include "platform/platform.hpp"

namespace morvane {

// An installation without a window, message boxes or pauses: every status goes to
// standard output, a failure with the platform's description to standard error, all of
// it to the log. Installs the release asked for, else the one the window would
// preselect. Gives the process exit code.
int run_unattended(const CommandLine& options, Platform& platform, Console& console,
                   InstallLog& log);

} // namespace morvane
