#pragma once

#include "platform/message_box.hpp"

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

// Where the setup tells what it does. Each place shows what it can and leaves out the
// rest: the console and the log take lines, the window's status line the latest one,
// message boxes what a watching person acknowledges or answers.
class Reporter {
  public:
    virtual ~Reporter() = default;
    // What is being done, and how it ended.
    virtual void status(const std::string& line) { (void)line; }
    // What an administrator must know of something that succeeded.
    virtual void note(const std::string& line) { (void)line; }
    // A failure, in the platform's own words.
    virtual void error(const std::string& line) { (void)line; }
    // What a person acknowledges, where one is watching.
    virtual void box(const std::string& text, const std::string& title, MessageIcon icon) {
        (void)text, (void)title, (void)icon;
    }
    // Yes or No from a person; nothing where nobody is asked.
    virtual std::optional<bool> ask(const std::string& question, const std::string& title) {
        (void)question, (void)title;
        return std::nullopt;
    }
};

// Nowhere: what is reported to it is not kept.
inline Reporter& nowhere() {
    static Reporter none;
    return none;
}

// Every report goes to each place in turn.
class Reporters : public Reporter {
  public:
    Reporters(std::initializer_list<Reporter*> places) : places_(places) {}
    void status(const std::string& line) override;
    void note(const std::string& line) override;
    void error(const std::string& line) override;
    void box(const std::string& text, const std::string& title, MessageIcon icon) override;
    // The first answer; where nobody is asked, the command line has already said yes.
    std::optional<bool> ask(const std::string& question, const std::string& title) override;

  private:
    std::vector<Reporter*> places_;
};

// The title of the setup window, and of the boxes that speak for it.
inline constexpr const char* window_title = "Morvane Post Installation setup";

// A failure that ends what was asked for: its line, and an "Error!" box where a person
// is watching.
void report_failure(Reporter& reporter, const std::string& text);

// Whether to go on: a person's answer, or yes where nobody is asked.
bool confirmed(Reporter& reporter, const std::string& question, const std::string& title);

} // namespace morvane
