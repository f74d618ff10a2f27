#pragma once

#include "app/commands/command_line.hpp"
#include "app/reporting/reporter.hpp"
#include "platform/platform.hpp"

namespace morvane {

// /report=FILE, once the run ended as exit_code says: after /verify checked the
// installation, or after an installation or repair that ran its steps, the installation
// is checked (again) and the report written in one step. The exit code stays as it was,
// and nothing more is reported, unless the report cannot be written: then an error
// names the file and the run ends with 1.
int with_qualification_report(const CommandLine& options, int exit_code, Platform& platform,
                              Reporter& reporter);

} // namespace morvane
