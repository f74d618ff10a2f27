#include "platform/host/windows1252_encoding.hpp"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

namespace morvane {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr std::uint16_t high_control_range[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byte_for(char32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return static_cast<char>(code_point);
    for (int i = 0; i < 32; ++i)
        if (high_control_range[i] != 0 && high_control_range[i] == code_point)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

// Decodes one UTF-8 sequence at text[i], moving i past it; nothing if it is malformed.
std::optional<char32_t> decode(const std::string& text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    int extra = lead < 0x80           ? 0
                : (lead >> 5) == 0x6  ? 1
                : (lead >> 4) == 0xE  ? 2
                : (lead >> 3) == 0x1E ? 3
                                      : -1;
    if (extra < 0)
        return std::nullopt;
    char32_t code_point = extra == 0 ? lead : lead & (0x3F >> extra);
    for (; extra > 0; --extra, ++i) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) >> 6) != 0x2)
            return std::nullopt;
        code_point = (code_point << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    }
    return code_point;
}

// Where the run of ASCII that starts at i ends, looked at eight bytes at a time: such
// runs are nearly all of any generated file, and the same in both encodings.
std::size_t ascii_end(const std::string& text, std::size_t i) {
    constexpr std::uint64_t high_bits = 0x8080808080808080ull;
    for (std::uint64_t word = 0; i + sizeof word <= text.size(); i += sizeof word) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & high_bits) != 0)
            break;
    }
    while (i < text.size() && (text[i] & 0x80) == 0)
        ++i;
    return i;
}

} // namespace

Result<std::string> Windows1252Encoding::to_ansi(const std::string& utf8) {
    std::string ansi;
    ansi.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto run_end = ascii_end(utf8, i);
        ansi.append(utf8, i, run_end - i);
        i = run_end;
        if (i == utf8.size())
            break;
        const auto start = i;
        const auto code_point = decode(utf8, i);
        if (!code_point)
            return PlatformError{PlatformError::Kind::other, "The text is not valid UTF-8."};
        const auto byte = byte_for(*code_point);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*code_point));
            return PlatformError{PlatformError::Kind::other,
                                 "The character \"" + utf8.substr(start, i - start) + "\" (" +
                                     code + ") cannot be written in the system's code page 1252."};
        }
        ansi += *byte;
    }
    return ansi;
}

} // namespace morvane
