#include "platform/win32/system/code_page.hpp"

#include "platform/win32/system/wide_text.hpp"

#include <cstdio>

namespace morvane::win32 {

Result<std::string> AnsiCodePage::to_ansi(const std::string& utf8) {
    const auto wide = widen(utf8);
    if (wide.empty())
        return std::string();
    const UINT code_page = GetACP();
    // A UTF-8 system code page holds every character and refuses the best-fit flags.
    const bool exact = code_page != CP_UTF8;
    BOOL lossy = FALSE;
    const auto convert = [&](const wchar_t* text, int length, char* out, int out_size) {
        return WideCharToMultiByte(CP_ACP, exact ? WC_NO_BEST_FIT_CHARS : 0, text, length, out,
                                   out_size, nullptr, exact ? &lossy : nullptr);
    };
    const int size = convert(wide.data(), static_cast<int>(wide.size()), nullptr, 0);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    convert(wide.data(), static_cast<int>(wide.size()), ansi.data(), size);
    if (size == 0 && !wide.empty())
        return last_error();
    if (!lossy)
        return ansi;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size();
        const int length = pair ? 2 : 1;
        lossy = FALSE;
        char out[8];
        convert(wide.data() + i, length, out, sizeof out);
        if (lossy) {
            const unsigned code =
                pair ? 0x10000u + ((wide[i] - 0xD800u) << 10) + (wide[i + 1] - 0xDC00u)
                     : static_cast<unsigned>(wide[i]);
            char number[16];
            std::snprintf(number, sizeof number, "U+%04X", code);
            return PlatformError{PlatformError::Kind::other,
                                 "The character \"" + narrow(wide.substr(i, length)) + "\" (" +
                                     number + ") cannot be written in the system's code page " +
                                     std::to_string(code_page) + "."};
        }
        i += length - 1;
    }
    return ansi;
}

} // namespace morvane::win32
