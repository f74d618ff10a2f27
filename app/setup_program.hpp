#pragma once

#include "app/frmMain.hpp"
#include "platform/console.hpp"

#include <functional>
#include <string>
#include <vector>

namespace morvane {

// The real window, which only the toolkit can provide.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual SetupWindowView& view() = 0;
    // Hands the window's events to the form until the window is gone.
    virtual void run(frmMain& form) = 0;
};

struct ProgramServices {
    Platform& platform;
    Console& console;
    WindowHost& window;
    std::function<std::string()> timestamp;
    std::string program_name;
};

// The whole program after its command line has been split: the setup window, or an
// unattended installation. Gives the process exit code.
int run_setup_program(const std::vector<std::string>& arguments, ProgramServices& services);

} // namespace morvane
