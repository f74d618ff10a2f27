#pragma once

#include "program/setup_program.hpp"
#include "tests/doubles/fakes.hpp"

#include <functional>
#include <string>
#include <vector>

namespace morvane::testing {

class RecordingConsole : public Console {
  public:
    std::vector<std::string> out_lines;
    std::vector<std::string> err_lines;
    void out(const std::string& line) override { out_lines.push_back(line); }
    void err(const std::string& line) override { err_lines.push_back(line); }
};

class FakeWindowHost : public WindowHost {
  public:
    FakeWindowView window;
    Failure refusal;
    bool ran = false;
    // What the user does while the window is shown.
    std::function<void(SetupWindowEvents&)> user;
    Failure open() override { return refusal; }
    SetupWindowView& view() override { return window; }
    void run(SetupWindowEvents& events) override {
        ran = true;
        if (user)
            user(events);
    }
};

class FakeSingleInstance : public SingleInstance {
  public:
    bool another_copy_running = false;
    // What the system shows of the guard, unless another copy runs.
    InstanceClaim result;
    InstanceClaim claim() override {
        if (another_copy_running)
            return {InstanceClaim::Outcome::found, "S-1-5-32-544", "BUILTIN\\Administrators"};
        return result;
    }
};

// Runs the setup with these arguments as from the command line, the console emptied first;
// every line of the log is stamped "T".
inline int run_setup(Platform& platform, RecordingConsole& console, FakeWindowHost& host,
                     FakeSingleInstance& instance, const std::vector<std::string>& arguments) {
    console = RecordingConsole();
    ProgramServices services{platform,   console, host, instance, [] { return std::string("T"); },
                             "setup.exe"};
    return run_setup_program(arguments, services);
}

} // namespace morvane::testing
