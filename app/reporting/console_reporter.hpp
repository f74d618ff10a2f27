#pragma once

#include "app/reporting/reporter.hpp"
#include "platform/console.hpp"

namespace morvane {

// An unattended run's lines: errors on standard error, the rest on standard output.
class ConsoleReporter : public Reporter {
  public:
    explicit ConsoleReporter(Console& console) : console_(console) {}
    void status(const std::string& line) override { console_.out(line); }
    void note(const std::string& line) override { console_.out(line); }
    void error(const std::string& line) override { console_.err(line); }

  private:
    Console& console_;
};

} // namespace morvane
