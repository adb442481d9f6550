#include "platform/unicode.h"

#include <gtest/gtest.h>

namespace {

using platform::utf16ToUtf8;
using platform::utf8ToUtf16;
using platform::utf8ToUtf32;

TEST(Unicode, WellFormedTextRoundTrips) {
    const std::string samples[] = {"", "ascii", "Zażółć gęślą jaźń", "ŁÓDŹ", "€", "😀 emoji",
                                   std::string("nul\0inside", 10)};
    for (const std::string& text : samples) {
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text) << text;
    }
}

TEST(Unicode, CodeUnitsAreCountedAsWindowsCountsThem) {
    EXPECT_EQ(utf8ToUtf16("łódź").size(), 4u);
    EXPECT_EQ(utf8ToUtf16("😀"), (std::u16string{0xD83D, 0xDE00}));
    EXPECT_EQ(utf8ToUtf32("😀ł"), (std::u32string{0x1F600, 0x142}));
}

TEST(Unicode, EachIllFormedSequenceBecomesOneReplacementPerMaximalPart) {
    struct Case {
        const char* bytes;
        std::u32string expected;
    };
    const Case cases[] = {
        {"a\x80" "b", U"a\uFFFDb"},            // stray continuation byte
        {"\xC5", U"\uFFFD"},                   // truncated at the end
        {"\xC5" "a", U"\uFFFDa"},              // truncated before ASCII
        {"\xE2\x82", U"\uFFFD"},               // truncated three-byte sequence: one part
        {"\xC0\xAF", U"\uFFFD\uFFFD"},         // overlong '/'
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},  // overlong three-byte
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xFF", U"\uFFFD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf8ToUtf32(c.bytes), c.expected) << c.bytes;
        EXPECT_EQ(utf8ToUtf16(c.bytes), std::u16string(c.expected.begin(), c.expected.end()));
    }
}

TEST(Unicode, UnpairedSurrogatesBecomeReplacements) {
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xD83D}), "\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xDE00, u'a'}), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

}  // namespace
