// Strict UTF-8: what the writer stores must be well-formed, and the UTF-16 length it checks
// against a column's size must be the length it then stores.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>

#include "jet/write/row_encoder.h"
#include "jet/write/text_encoding.h"
#include "tests/support/random_seed.h"

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

// The one-pass encoder from UTF-8 must store exactly what the UTF-16 encoder stores, and the
// length check count what it converts: random
// texts mixing ASCII runs, Polish letters, characters that block compression (U+0000,
// U+0100, U+4E00), astral characters and bad bytes, at lengths around the 3 and 1024 limits.
// LUMOR_SEED=n reruns one seed.
TEST(TextEncoding, StoredTextFromUtf8MatchesTheUtf16Encoder) {
    const char* given = std::getenv("LUMOR_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    testsupport::announceSeed("text encoding", seed, "LUMOR_SEED");
    std::mt19937 random(seed);
    const std::vector<std::string> pieces = {"a", "Abcdefghijk", "0123456789", " ", "ł", "ó", "ż", "é",
                                             std::string(1, '\0'), "\xC4\x80", "\xE4\xB8\x80", "\xF0\x9F\x98\x80",
                                             "\xC3\x28", "\xFF"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int count = static_cast<int>(random() % (round % 10 == 0 ? 1200 : 12));
        for (int k = 0; k < count; ++k) {
            // Bad bytes are rare, so that most texts are stored.
            std::size_t pick = random() % pieces.size();
            if (pick >= pieces.size() - 2 && random() % 8) pick = 0;
            text += pieces[pick];
        }
        for (bool compressible : {true, false}) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << " round " << round << " compressible " << compressible);
            std::vector<std::uint8_t> stored = {0x42};
            const bool ok = jet::write::appendStoredText(stored, text, compressible);
            const auto utf16 = utf8ToUtf16Strict(text);
            ASSERT_EQ(ok, utf16.has_value());
            ASSERT_EQ(utf16Length(text), utf16 ? std::optional<std::size_t>(utf16->size()) : std::nullopt);
            std::vector<std::uint8_t> expected = {0x42};
            if (utf16) jet::write::appendTextValue(expected, *utf16, compressible);
            ASSERT_EQ(stored, expected);
        }
    }
}

}  // namespace
