#include "app/commands/qualification_report.hpp"

#include "app/commands/lifecycle_commands.hpp"
#include "app/qualification/qualification_html.hpp"
#include "app/reporting/link_refusal.hpp"

namespace morvane {
namespace {

// A run that stopped before checking or installing anything has nothing to qualify.
bool has_checked_or_installed(Command command, int exit_code) {
    if (command == Command::verify)
        return exit_code == exit_installed || exit_code == exit_verify_found_changes;
    return exit_code == exit_installed || exit_code == exit_step_failed;
}

Result<std::string> report_html(const CommandLine& options, Platform& platform) {
    const auto recorded = recorded_setup(platform);
    if (!recorded.ok())
        return recorded.error();
    const auto target = command_target(options, recorded.value(), platform);
    if (!target.ok())
        return target.error();
    const auto qualification = qualify(recorded.value(), target.value().installation,
                                       *target.value().release, platform, *options.report_file);
    if (!qualification.ok())
        return qualification.error();
    return qualification_html(qualification.value());
}

} // namespace

int with_qualification_report(const CommandLine& options, int exit_code, Platform& platform,
                              Reporter& reporter) {
    if (!options.report_file || !has_checked_or_installed(options.command, exit_code))
        return exit_code;
    auto failure = refuse_links(platform.files, {*options.report_file});
    if (!failure) {
        const auto html = report_html(options, platform);
        failure = html.ok() ? platform.files.write_file(*options.report_file, html.value())
                            : Failure(html.error());
    }
    if (!failure)
        return exit_code;
    report_failure(reporter,
                   "Cannot write the report " + *options.report_file + ": " + failure->description);
    return exit_step_failed;
}

} // namespace morvane
