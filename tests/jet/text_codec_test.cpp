// Jet 4 text: plain UTF-16LE, Unicode compression with mode toggles, and the writer's choice.
#include <gtest/gtest.h>

#include <vector>

#include "jet/text_codec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TextCodecTest, DecodesStoredForms) {
    struct Case { const char* name; Bytes stored; const char* utf8; };
    const Case cases[] = {
        {"plain", {'A', 0, 'b', 0}, "Ab"},
        {"empty", {}, ""},
        {"compressed with toggles",
         {0xFF, 0xFE, 'J', 'a', 'r', 'o', 's', 0x00, 0x42, 0x01, 0x00, 'a', 'w'}, "Jarosław"},
        {"compressed ending uncompressed", {0xFF, 0xFE, 'a', 0x00, 0x41, 0x01}, "aŁ"},
        {"odd trailing byte dropped", {0xFF, 0xFE, 0x00, 0x41, 0x01, 0x42}, "Ł"},
        {"plain odd byte dropped", {'A', 0, 'B'}, "A"},
        {"surrogate pair", {0x3D, 0xD8, 0x00, 0xDE}, "\xF0\x9F\x98\x80"},
        {"lone surrogate", {0x3D, 0xD8, 'x', 0}, "\xEF\xBF\xBDx"},
        {"compressed Latin-1", {0xFF, 0xFE, 0xE9, 't', 0xE9}, "été"},
    };
    for (const auto& c : cases) EXPECT_EQ(jet::decodeJetText(c.stored), c.utf8) << c.name;
}

TEST(TextCodecTest, EncodesLikeAccess) {
    struct Case { const char* utf8; bool allowed; Bytes stored; };
    const Case cases[] = {
        {"abc", true, {0xFF, 0xFE, 'a', 'b', 'c'}},
        {"ab", true, {'a', 0, 'b', 0}},           // too short to gain anything
        {"abc", false, {'a', 0, 'b', 0, 'c', 0}},  // column does not allow compression
        {"aŁb", true, {'a', 0, 0x41, 0x01, 'b', 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(jet::encodeJetText(c.utf8, c.allowed), c.stored) << c.utf8;
}

TEST(TextCodecTest, RoundTripsThroughBothForms) {
    for (const char* text : {"Zażółć gęślą jaźń", "plain ascii text", "\xF0\x9F\x98\x80 emoji", ""}) {
        EXPECT_EQ(jet::decodeJetText(jet::encodeJetText(text, true)), text);
        EXPECT_EQ(jet::decodeJetText(jet::encodeUtf16Le(text)), text);
    }
    EXPECT_EQ(jet::utf16Length("a\xF0\x9F\x98\x80Ł"), 4u);
}

TEST(TextCodecTest, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(jet::encodeUtf16Le("a\xC3"), (Bytes{'a', 0, 0xFD, 0xFF}));
    EXPECT_EQ(jet::encodeUtf16Le("\xED\xA0\x80"), (Bytes{0xFD, 0xFF}));  // encoded surrogate
}

}  // namespace
