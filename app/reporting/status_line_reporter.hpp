#pragma once

#include "app/reporting/reporter.hpp"
#include "platform/setup_window_view.hpp"

namespace morvane {

// The setup window's status line: it shows the latest line until the next one.
class StatusLineReporter : public Reporter {
  public:
    explicit StatusLineReporter(SetupWindowView& view) : view_(view) {}
    void status(const std::string& line) override { view_.set_status(line); }
    void note(const std::string& line) override { view_.set_status(line); }
    void error(const std::string& line) override { view_.set_status(line); }

  private:
    SetupWindowView& view_;
};

} // namespace morvane
