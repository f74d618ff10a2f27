#pragma once

#include "platform/text_encoding.hpp"

namespace morvane::win32 {

class AnsiCodePage : public TextEncoding {
  public:
    Result<std::string> to_ansi(const std::string& utf8) override;
};

} // namespace morvane::win32
