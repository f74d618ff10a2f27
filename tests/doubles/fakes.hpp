#pragma once

#include "platform/account.hpp"
#include "platform/computer.hpp"
#include "platform/message_box.hpp"
#include "platform/pause.hpp"
#include "platform/program_location.hpp"
#include "platform/registry.hpp"
#include "platform/setup_window_view.hpp"
#include "platform/shell.hpp"

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace morvane::testing {

// A step's outcome as a test compares it: empty on success, else the platform's words.
inline std::string description_of(const Failure& failure) {
    return failure ? failure->description : "";
}
template <class T> std::string description_of(const Result<T>& result) {
    return result.ok() ? "" : result.error().description;
}

class FakeRegistry : public Registry {
  public:
    void set(const std::string& key, const std::string& name, RegistryValue value) {
        values_[{key, name}] = std::move(value);
    }
    void set_string(const std::string& key, const std::string& name, const std::string& text) {
        set(key, name, {RegistryValueType::string, text + '\0'});
    }
    void fail_with_exception() { throws_ = true; }

    std::optional<RegistryValue> read_local_machine(const std::string& key,
                                                    const std::string& name) override {
        if (throws_)
            throw std::runtime_error("registry unavailable");
        const auto found = values_.find({key, name});
        if (found == values_.end())
            return std::nullopt;
        return found->second;
    }

  private:
    std::map<std::pair<std::string, std::string>, RegistryValue> values_;
    bool throws_ = false;
};

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class RecordingMessageBoxes : public MessageBoxes {
  public:
    std::vector<ShownMessage> shown;
    std::function<void()> on_show;
    std::vector<std::string> questions;
    bool answer_yes = true;

    bool ask(const std::string& text, const std::string& /*title*/) override {
        questions.push_back(text);
        return answer_yes;
    }

    void show(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
        if (on_show)
            on_show();
    }
};

// An administrator's elevated process unless a test says otherwise.
class FakeAccount : public Account {
  public:
    ProcessAccount account{"S-1-5-21-1-2-3-1001", "WORKSTATION\\ana", false, true};
    Result<ProcessAccount> current() override { return account; }
};

// A 64-bit Windows 10 workstation, read at one fixed moment.
class FakeComputer : public Computer {
  public:
    ComputerFacts computer{"WS-0042", "10.0", "19045.3803", "x64", true};
    ClockReading reading{std::chrono::sys_days(std::chrono::year(2026) / 12 / 9) +
                             std::chrono::hours(7) + std::chrono::minutes(13),
                         std::chrono::minutes(60)};
    std::string version = "1.0.0.0";
    ComputerFacts facts() override { return computer; }
    ClockReading now() override { return reading; }
    std::string program_version() override { return version; }
};

class CountingPause : public Pause {
  public:
    std::vector<int> pauses;
    void milliseconds(int count) override { pauses.push_back(count); }
};

class FixedProgramLocation : public ProgramLocation {
  public:
    std::string folder = "D:\\Tools\\Kit";
    std::string stem = "Morvane_Post_Installation_setup";
    std::string program_folder() override { return folder; }
    std::string program_stem() override { return stem; }
};

// The shell's folders as configured; shortcuts are kept and also stored as small files,
// which a refused save leaves as they were. A folder asked for to be made is made.
class FakeShell : public Shell {
  public:
    FakeShell(std::function<Failure(const std::string&)> write_marker,
              std::function<void(const std::string&)> make_folders)
        : write_marker_(std::move(write_marker)), make_folders_(std::move(make_folders)) {}

    std::map<SpecialFolder, std::string> folders;
    std::vector<Shortcut> saved;
    std::optional<PlatformError> save_failure;
    std::vector<SpecialFolder> made;

    Result<std::string> special_folder(SpecialFolder folder) override {
        const auto found = folders.find(folder);
        if (found == folders.end())
            return PlatformError{PlatformError::Kind::other, "The special folder is unknown."};
        return found->second;
    }
    Result<std::string> make_special_folder(SpecialFolder folder) override {
        auto path = special_folder(folder);
        if (path.ok()) {
            made.push_back(folder);
            make_folders_(path.value());
        }
        return path;
    }

    Failure save_shortcut(const Shortcut& shortcut) override {
        if (save_failure)
            return save_failure;
        if (auto failure = write_marker_(shortcut.file_path))
            return failure;
        saved.push_back(shortcut);
        return std::nullopt;
    }

    // The shortcut saved last at that path.
    Result<Shortcut> read_shortcut(const std::string& path) override {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it)
            if (it->file_path == path)
                return *it;
        return PlatformError{PlatformError::Kind::not_found, "The shortcut does not exist."};
    }
    // The small file stands for the shortcut saved last at its path.
    Result<Shortcut> shortcut_of(const std::string& path, std::string_view) override {
        return read_shortcut(path);
    }

  private:
    std::function<Failure(const std::string&)> write_marker_;
    std::function<void(const std::string&)> make_folders_;
};

// The places of the three option buttons that the window was designed with.
struct OptionButton {
    static constexpr int optSas8 = 0;
    static constexpr int optSas9 = 1;
    static constexpr int optSas92 = 2;
};

// The window's controls as plain state, with every status and progress value kept.
// Until the form sets its options, it has the three it was designed with.
class FakeWindowView : public SetupWindowView {
  public:
    std::vector<std::string> options = {"SAS System version 8", "SAS System version 9.1",
                                        "SAS System version 9.2"};
    std::map<int, bool> option_enabled{{0, true}, {1, true}, {2, true}};
    int selected = OptionButton::optSas8;
    std::map<CommandButton, bool> button_enabled{{CommandButton::cmdInstall, true},
                                                 {CommandButton::cmdExit, true}};
    std::vector<std::string> statuses;
    std::vector<float> progress_values;
    float progress_value = 0.0f;
    bool busy = false;
    bool shown = false;
    bool unloaded = false;
    int refreshes = 0;

    std::string status() const { return statuses.empty() ? "Progressing" : statuses.back(); }

    void set_options(const std::vector<std::string>& captions) override {
        options = captions;
        option_enabled.clear();
        for (std::size_t place = 0; place < captions.size(); ++place)
            option_enabled[static_cast<int>(place)] = true;
        selected = 0;
    }
    bool is_enabled(int option) override { return option_enabled.at(option); }
    void set_enabled(int option, bool enabled) override { option_enabled.at(option) = enabled; }
    bool is_selected(int option) override { return selected == option; }
    void select(int option) override { selected = option; }
    bool is_enabled(CommandButton button) override { return button_enabled[button]; }
    void set_enabled(CommandButton button, bool enabled) override {
        button_enabled[button] = enabled;
    }
    void set_status(const std::string& text) override { statuses.push_back(text); }
    float progress() override { return progress_value; }
    void set_progress(float value) override {
        progress_value = value;
        progress_values.push_back(value);
    }
    void set_busy_pointer(bool is_busy) override { busy = is_busy; }
    void refresh() override { ++refreshes; }
    void show() override { shown = true; }
    void unload() override { unloaded = true; }
};

} // namespace morvane::testing
