#pragma once

#include "app/command_line.hpp"
#include "app/command_output.hpp"
#include "app/setup_record.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <optional>
#include <variant>

namespace morvane {

// The registry as start-up reads it and the release a command works on: the one the
// setup record names, else the one asked for with /sas=, else the newest installed.
struct CommandTarget {
    InstallationRecord installation;
    const SasRelease* release = nullptr;
};

// The setup record of this program folder: nothing when there is none. One that cannot
// be read is reported and gives the exit code instead.
std::variant<std::optional<SetupRecord>, int> recorded_setup(Platform& platform,
                                                             CommandOutput& output);

// recorded: the release it names comes first. Reports why there is no release and gives
// the exit code instead (3 when that release is not installed).
std::variant<CommandTarget, int> command_target(const CommandLine& options,
                                                const std::optional<SetupRecord>& recorded,
                                                Platform& platform, CommandOutput& output);

// /verify: one line per item; 0 when everything is in place, 4 when not.
int run_verify(const CommandLine& options, Platform& platform, CommandOutput& output);

// /uninstall: undoes what the setup record says, after asking in window mode.
int run_uninstall(Platform& platform, CommandOutput& output);

// /repair: the release to install again is the recorded one; gives the exit code instead
// when the record cannot be read.
std::optional<int> choose_repair_release(CommandLine& options, Platform& platform,
                                         CommandOutput& output);

} // namespace morvane
