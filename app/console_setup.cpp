#include "app/console_setup.hpp"

namespace morvane {

void ConsoleSetup::set_status(const std::string& text) {
    console_.out(text);
    log_.write(text);
}

void ConsoleSetup::set_failure_status(const std::string& text) {
    // The step has already said why; that description completes the line.
    const auto line = text + pending_errors_;
    pending_errors_.clear();
    console_.err(line);
    log_.write(line);
}

void ConsoleSetup::show(const std::string& text, const std::string& /*title*/, MessageIcon icon) {
    if (icon == MessageIcon::critical) {
        pending_errors_ += " " + text;
        return;
    }
    console_.out(text);
    log_.write(text);
}

void ConsoleSetup::flush_errors() {
    if (pending_errors_.empty())
        return;
    const auto line = "Error!" + pending_errors_;
    pending_errors_.clear();
    console_.err(line);
    log_.write(line);
}

} // namespace morvane
