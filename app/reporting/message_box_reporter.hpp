#pragma once

#include "app/reporting/reporter.hpp"

namespace morvane {

// Modal boxes, written down where `written` keeps lines: the log records what was
// answered, and what was shown unless the box only repeats lines already written.
class MessageBoxReporter : public Reporter {
  public:
    enum class Shown { written, repeats_lines };
    MessageBoxReporter(MessageBoxes& boxes, Reporter& written, Shown shown = Shown::written)
        : boxes_(boxes), written_(written), shown_(shown) {}
    void box(const std::string& text, const std::string& title, MessageIcon icon) override {
        if (shown_ == Shown::written)
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
    Shown shown_;
};

} // namespace morvane
