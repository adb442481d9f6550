// Strict UTF-8: what the writer stores must be well-formed, and the UTF-16 length it checks
// against a column's size must be the length it then stores.
#include <gtest/gtest.h>

#include "jet/write/text_encoding.h"

namespace {

using jet::write::utf16Length;
using jet::write::utf8ToUtf16Strict;

TEST(TextEncoding, LengthAgreesWithTheConversionAcrossAsciiRunsAndWideCharacters) {
    for (const std::string& text : {std::string(), std::string("abc"), std::string("abcdefgh"),
                                   std::string("abcdefghijklmnopq łóż"), std::string("ż12345678901234567"),
                                   std::string("x\xF0\x9F\x98\x80yyyyyyyyyyyy"), std::string(300, 'a') + "ą"}) {
        SCOPED_TRACE(text);
        const auto utf16 = utf8ToUtf16Strict(text);
        ASSERT_TRUE(utf16);
        ASSERT_EQ(utf16Length(text), utf16->size());
        std::u16string reused = u"leftover from an earlier text";
        ASSERT_TRUE(utf8ToUtf16Strict(text, reused));
        EXPECT_EQ(reused, *utf16);
    }
    EXPECT_EQ(*utf8ToUtf16Strict("a\xF0\x9F\x98\x80"), (std::u16string{u'a', 0xD83D, 0xDE00}));
}

TEST(TextEncoding, MalformedUtf8IsRefusedWhereverItSits) {
    const std::string bad[] = {"\xC3\x28", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                               "\xC3", "\x80", "\xFF"};
    for (const std::string& b : bad) {
        for (const std::string& text : {b, "abcdefghij" + b, b + "abcdefghij", "ąę" + b}) {
            SCOPED_TRACE(text);
            EXPECT_FALSE(utf8ToUtf16Strict(text));
            EXPECT_FALSE(utf16Length(text));
        }
    }
}

}  // namespace
