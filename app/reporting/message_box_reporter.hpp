#pragma once

#include "app/reporting/reporter.hpp"

namespace morvane {

// Modal boxes, each also written down where `written` keeps lines: the log records what
// was shown and what was answered.
class MessageBoxReporter : public Reporter {
  public:
    MessageBoxReporter(MessageBoxes& boxes, Reporter& written) : boxes_(boxes), written_(written) {}
    void box(const std::string& text, const std::string& title, MessageIcon icon) override {
        written_.status(title + " " + text);
        boxes_.show(text, title, icon);
    }
    std::optional<bool> ask(const std::string& question, const std::string& title) override {
        const bool yes = boxes_.ask(question, title);
        written_.status(question + (yes ? " Yes" : " No"));
        return yes;
    }

  private:
    MessageBoxes& boxes_;
    Reporter& written_;
};

} // namespace morvane
