#pragma once

#include "platform/console.hpp"
#include "platform/platform.hpp"
#include "platform/setup_window_events.hpp"
#include "platform/setup_window_view.hpp"
#include "platform/single_instance.hpp"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

// The real window, which only the toolkit can provide.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // Makes the window, which an unattended run never does; the system's description
    // when it cannot.
    virtual Failure open() = 0;
    // The window made by open().
    virtual SetupWindowView& view() = 0;
    // Hands the window's events to events until the window is gone.
    virtual void run(SetupWindowEvents& events) = 0;
};

struct ProgramServices {
    Platform& platform;
    Console& console;
    WindowHost& window;
    SingleInstance& instance;
    std::function<std::string()> timestamp;
    std::string program_name;
};

// The whole program after its command line has been split: the setup window, or an
// unattended installation. Gives the process exit code.
int run_setup_program(const std::vector<std::string>& arguments, ProgramServices& services);

} // namespace morvane
