#pragma once

#include "app/commands/command_line.hpp"
#include "app/record/setup_record.hpp"
#include "app/reporting/reporter.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <optional>

namespace morvane {

// The registry as start-up reads it and the release a command works on: the one the
// setup record names, else the one asked for with /sas=, else the newest installed.
struct CommandTarget {
    InstallationRecord installation;
    const SasRelease* release = nullptr;
};

// The setup record of this program folder: nothing when there is none.
Result<std::optional<SetupRecord>> recorded_setup(Platform& platform);

// recorded: the release it names comes first. Fails with Kind::not_installed when that
// release, or any, is not installed.
Result<CommandTarget> command_target(const CommandLine& options,
                                     const std::optional<SetupRecord>& recorded,
                                     Platform& platform);

// /verify: one line per item; 0 when everything is in place, 4 when not.
int run_verify(const CommandLine& options, Platform& platform, Reporter& reporter);

// /uninstall: undoes what the setup record says, after asking a watching person.
int run_uninstall(Platform& platform, Reporter& reporter);

// /repair: the line with the release and the scope that the setup record names; as asked
// when nothing is recorded.
Result<CommandLine> repair_options(CommandLine options, Platform& platform);

} // namespace morvane
