#pragma once

#include "integration/shortcut_scope.hpp"
#include "platform/account.hpp"
#include "platform/platform_error.hpp"
#include "sas/sas_releases.hpp"

#include <optional>
#include <string>
#include <vector>

namespace morvane {

// What the run does; installing unless a lifecycle switch says otherwise.
enum class Command { install, verify, repair, uninstall, whatif };

// What an administrator asked for on the command line.
struct CommandLine {
    Command command = Command::install;
    bool silent = false;
    bool help = false;
    // Nothing: the release the window would preselect.
    const SasRelease* release = nullptr;
    std::optional<std::string> log_file;
    // Nothing: what the account and the AllUsers setting say.
    std::optional<ShortcutScope> scope;
    // The installation qualification report, after /verify, an installation or /repair.
    std::optional<std::string> report_file;
};

// Windows-style switches, in any letter case: /silent (/quiet, /q), /sas=RELEASE (the
// releases' switch values), /log=FILE, /report=FILE (not with /uninstall or /whatif), at
// most one of /verify, /repair, /uninstall and /whatif, at most one of /allusers and
// /currentuser, /? (/help). A dash may stand for
// the slash.
// A line that is wrong fails with the reason, for the administrator to read.
Result<CommandLine> parse_command_line(const std::vector<std::string>& arguments);

// Why the line cannot be run by this account: /currentuser under a service account,
// whose shortcuts no person would ever see. Nothing when it can.
std::optional<std::string> refused_for_account(const CommandLine& options,
                                               const ProcessAccount& account);

// Whether any argument asks for a run without windows, even on a line that is wrong
// otherwise: an unattended script must never be stopped by a message box. A dry run
// (/whatif) is always unattended.
bool asks_for_silence(const std::vector<std::string>& arguments);

std::string usage_text(const std::string& program_name);

inline constexpr int exit_installed = 0;
inline constexpr int exit_step_failed = 1;
inline constexpr int exit_bad_command_line = 2;
inline constexpr int exit_no_sas = 3;
inline constexpr int exit_verify_found_changes = 4;
inline constexpr int exit_left_without_installing = 5;
// What Windows deployment tools read as "another installation is in progress, retry".
inline constexpr int exit_already_running = 1618;

// How a run that failed ends: 3 when the SAS release it needs is not installed, else 1.
int exit_code_of(const PlatformError& failure);

} // namespace morvane
