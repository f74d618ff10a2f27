#pragma once

#include "app/install_log.hpp"
#include "platform/console.hpp"
#include "platform/message_box.hpp"

#include <string>

namespace morvane {

// The title of the setup window, and of the boxes that speak for it.
inline constexpr const char* window_title = "Morvane Post Installation setup";

// Where a command without the setup window reports: every line to the log, and to the
// console when unattended; in window mode the outcome in a box instead, as a windowed
// installation never writes to the console.
class CommandOutput {
  public:
    CommandOutput(Console& console, InstallLog& log, MessageBoxes& boxes, bool window)
        : console_(console), log_(log), boxes_(boxes), window_(window) {}

    void out(const std::string& line) {
        if (!window_)
            console_.out(line);
        log_.write(line);
    }
    void err(const std::string& line) {
        if (!window_)
            console_.err(line);
        log_.write(line);
    }
    // A failure that ends the command: its line, and in window mode an "Error!" box.
    void fail(const std::string& text) {
        err(text);
        box(text, "Error!", MessageIcon::critical);
    }
    void box(const std::string& text, const std::string& title, MessageIcon icon) {
        if (window_)
            boxes_.show(text, title, icon);
    }
    // In window mode asks Yes or No; unattended the command line has already said yes.
    bool confirm(const std::string& question, const std::string& title) {
        if (!window_)
            return true;
        const bool yes = boxes_.ask(question, title);
        log_.write(question + (yes ? " Yes" : " No"));
        return yes;
    }

  private:
    Console& console_;
    InstallLog& log_;
    MessageBoxes& boxes_;
    bool window_;
};

} // namespace morvane
