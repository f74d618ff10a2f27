#pragma once

#include "app/install/installation_scope.hpp"
#include "platform/platform.hpp"
#include "sas/installation_record.hpp"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

// One step of an installation as it is shown while it runs.
class InstallObserver;

struct InstallStep {
    enum class Progress {
        // The first step: the bar restarts at 0.
        start,
        advance,
        // The bar stays where it is.
        keep,
        // A preparation that shows nothing and does not pause; only its failure is seen.
        silent,
    };
    // Empty: the status of the step before stays.
    std::string status;
    std::string error;
    Progress progress = Progress::advance;
    // Nothing on success, else the platform's description of what went wrong. A step
    // that succeeds with something the administrator must know tells the observer.
    std::function<Failure(InstallObserver& observer)> run;
};

// Where a run of steps is shown: the setup window, or the console of an unattended run.
// It is the one place where a failed step is presented.
class InstallObserver {
  public:
    virtual ~InstallObserver() = default;
    virtual void before_step(const InstallStep& step) = 0;
    virtual void step_failed(const InstallStep& step, const PlatformError& error) = 0;
    // One line about a step that succeeded.
    virtual void note(const std::string& line) = 0;
};

inline constexpr float progress_increment = 4.0f;
inline constexpr int pause_before_step_ms = 100;

// Reading the setup record left by an earlier installation, removing the release's stale
// catalog, then the twenty steps of its installation, in their order, the shortcuts and
// Start-menu folders made for the scope chosen. Each step ends by saving in the setup
// record what it did. A step refused access in a process without administrator rights
// says that the setup needs them.
std::vector<InstallStep> install_steps(const InstallationRecord& record, const SasRelease& release,
                                       const ScopeChoice& scope, Platform& platform);

// Runs the steps in order up to the first failure, which goes to the observer; true
// when every step succeeded.
bool run_steps(const std::vector<InstallStep>& steps, InstallObserver& observer);

} // namespace morvane
