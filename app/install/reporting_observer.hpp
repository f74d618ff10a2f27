#pragma once

#include "app/install/install_sequence.hpp"
#include "app/reporting/reporter.hpp"

namespace morvane {

// A run of steps told as lines: each step's status, and a failure as the step's error
// text followed by the platform's description.
class ReportingObserver : public InstallObserver {
  public:
    explicit ReportingObserver(Reporter& reporter) : reporter_(reporter) {}
    void before_step(const InstallStep& step) override {
        if (!step.status.empty())
            reporter_.status(step.status);
    }
    void step_failed(const InstallStep& step, const PlatformError& error) override {
        reporter_.error(step.error + " " + error.description);
    }
    void note(const std::string& line) override { reporter_.note(line); }

  private:
    Reporter& reporter_;
};

} // namespace morvane
