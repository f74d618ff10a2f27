#pragma once

#include <string>

namespace morvane {

// Standard output and error of the console that started the program, if any.
class Console {
  public:
    virtual ~Console() = default;
    virtual void out(const std::string& line) = 0;
    virtual void err(const std::string& line) = 0;
};

} // namespace morvane
