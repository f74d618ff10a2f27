#pragma once

#include "app/frmMain.hpp"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

// One step of an installation as the window shows it.
struct InstallStep {
    enum class Progress { start, advance, keep };
    // Empty: the status of the step before stays.
    std::string status;
    std::string error;
    Progress progress = Progress::advance;
    std::function<bool()> run;
};

inline constexpr float progress_increment = 4.0f;
inline constexpr int pause_before_step_ms = 100;

// The twenty steps of an installation for sas_version, in their order.
std::vector<InstallStep> install_steps(frmMain& form, Platform& platform,
                                       const std::string& sas_version);

} // namespace morvane
