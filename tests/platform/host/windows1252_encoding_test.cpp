#include "platform/host/windows1252_encoding.hpp"

#include <gtest/gtest.h>

namespace morvane::testing {
namespace {

struct EncodingCase {
    std::string utf8;
    std::string ansi; // empty where the text cannot be encoded
};

class Windows1252 : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Windows1252, EncodesExactlyOrFails) {
    Windows1252Encoding encoding;
    const auto result = encoding.to_ansi(GetParam().utf8);
    if (GetParam().ansi.empty()) {
        EXPECT_FALSE(result.ok());
    } else {
        ASSERT_TRUE(result.ok()) << result.error().description;
        EXPECT_EQ(result.value(), GetParam().ansi);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Windows1252,
    ::testing::Values(EncodingCase{"D:\\Tools\\Kit", "D:\\Tools\\Kit"},
                      EncodingCase{"\xC3\xA9\xC3\xBF\xC2\xA0", "\xE9\xFF\xA0"}, // é ÿ nbsp
                      EncodingCase{"\xE2\x82\xAC\xC5\xA0", "\x80\x8A"},         // € Š
                      EncodingCase{"\xC5\x81", ""},                             // Ł
                      EncodingCase{"\xE4\xB8\xAD", ""},                         // 中
                      EncodingCase{"\xC2\x81", ""}, // U+0081, a hole of the code page
                      EncodingCase{"\xC3", ""},     // cut UTF-8 sequence
                      // Past and inside the eight bytes the plain ASCII is looked at in.
                      EncodingCase{"C:\\Programme\\Donn\xC3\xA9"
                                   "es\\Kit\xC3\xA9",
                                   "C:\\Programme\\Donn\xE9"
                                   "es\\Kit\xE9"},
                      EncodingCase{"C:\\Programme\\\xC3", ""}));

} // namespace
} // namespace morvane::testing
