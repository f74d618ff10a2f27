#pragma once

#include <string>

namespace morvane {

// Where the running setup program lies.
class ProgramLocation {
  public:
    virtual ~ProgramLocation() = default;
    // Without a trailing backslash.
    virtual std::string program_folder() = 0;
    // The executable's file name without its extension.
    virtual std::string program_stem() = 0;
};

} // namespace morvane
