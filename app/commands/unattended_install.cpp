#include "app/commands/unattended_install.hpp"

#include "app/commands/lifecycle_commands.hpp"
#include "app/install/install_sequence.hpp"
#include "app/install/reporting_observer.hpp"

namespace morvane {

int run_unattended(const CommandLine& options, Platform& platform, Reporter& reporter) {
    const auto target = command_target(options, std::nullopt, platform);
    if (!target.ok()) {
        reporter.error(target.error().description);
        return exit_code_of(target.error());
    }
    const auto& [installation, release] = target.value();
    ReportingObserver observer(reporter);
    const auto scope = choose_scope(options.scope, installation, platform.account);
    if (!run_steps(install_steps(installation, *release, scope, platform), observer))
        return exit_step_failed;
    reporter.status("Installation completed.");
    reporter.status("Completed creating shortcut and macro files!");
    return exit_installed;
}

} // namespace morvane
