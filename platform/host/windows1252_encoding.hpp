#pragma once

#include "platform/text_encoding.hpp"

namespace morvane {

// The Western European ANSI code page, the usual one of the workstations served.
class Windows1252Encoding : public TextEncoding {
  public:
    Result<std::string> to_ansi(const std::string& utf8) override;
};

} // namespace morvane
