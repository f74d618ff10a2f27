#pragma once

#include "platform/platform_error.hpp"

#include <string>

namespace morvane {

// The system's ANSI code page, in which generated files are written.
class TextEncoding {
  public:
    virtual ~TextEncoding() = default;
    // Fails when a character has no exact equivalent in the code page.
    virtual Result<std::string> to_ansi(const std::string& utf8) = 0;
};

} // namespace morvane
