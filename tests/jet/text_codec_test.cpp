// Jet 4 text: plain UTF-16LE, Unicode compression with mode toggles, and the writer's choice.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "jet/text_codec.h"
#include "tests/support/random_seed.h"

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

// The decoder as a plain loop over UTF-16 units, one at a time: what the word-at-a-time
// decoder must match byte for byte.
std::string referenceDecode(const Bytes& stored) {
    std::string out;
    std::uint32_t pendingHigh = 0;
    auto put = [&](std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    };
    auto unit = [&](std::uint32_t u) {
        if (pendingHigh) {
            std::uint32_t high = pendingHigh;
            pendingHigh = 0;
            if (u >= 0xDC00 && u <= 0xDFFF) return put(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
            put(0xFFFD);
        }
        if (u >= 0xD800 && u <= 0xDBFF) pendingHigh = u;
        else if (u >= 0xDC00 && u <= 0xDFFF) put(0xFFFD);
        else put(u);
    };
    bool compressedForm = stored.size() >= 2 && stored[0] == 0xFF && stored[1] == 0xFE;
    bool compressed = compressedForm;
    for (std::size_t i = compressedForm ? 2 : 0; i < stored.size();) {
        if (compressedForm && stored[i] == 0) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            unit(stored[i++]);
        } else {
            if (i + 1 >= stored.size()) break;
            unit(stored[i] | (stored[i + 1] << 8));
            i += 2;
        }
    }
    if (pendingHigh) put(0xFFFD);
    return out;
}

// Random stored texts in both forms, built from pieces where a fast path could go wrong:
// ASCII runs of every length across word boundaries, Latin-1 bytes, mode toggles, characters
// outside Latin-1, surrogate pairs (whole, split by a toggle, or lone), odd trailing bytes.
// LUMOR_TEXT_SEED=n reruns one seed.
TEST(TextCodecTest, DecodesLikeUnitByUnitReference) {
    std::uint32_t seed = std::random_device{}();
    if (const char* env = std::getenv("LUMOR_TEXT_SEED")) seed = static_cast<std::uint32_t>(std::strtoul(env, nullptr, 10));
    testsupport::announceSeed("TextCodecTest", seed, "LUMOR_TEXT_SEED");
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int round = 0; round < 4000; ++round) {
        bool compressedForm = pick(4) != 0;
        Bytes stored;
        if (compressedForm) stored = {0xFF, 0xFE};
        bool compressed = true;
        int pieces = pick(12);
        for (int p = 0; p < pieces; ++p) {
            int kind = pick(7);
            if (compressedForm && kind == 0) {
                stored.push_back(0);
                compressed = !compressed;
                continue;
            }
            auto unit = [&](std::uint16_t u) {
                if (compressedForm && compressed) {
                    stored.push_back(static_cast<std::uint8_t>(u ? u : 'x'));
                } else {
                    stored.push_back(static_cast<std::uint8_t>(u));
                    stored.push_back(static_cast<std::uint8_t>(u >> 8));
                }
            };
            int length = pick(3) == 0 ? pick(40) : pick(9);
            for (int k = 0; k < length; ++k) {
                switch (kind) {
                case 1: case 2: unit(static_cast<std::uint16_t>(0x20 + pick(0x5F))); break;  // ASCII
                case 3: unit(static_cast<std::uint16_t>(0x80 + pick(0x80))); break;          // Latin-1
                case 4: unit(static_cast<std::uint16_t>(0x100 + pick(0x200))); break;        // Ł, ż and the like
                case 5: unit(static_cast<std::uint16_t>(0xD800 + pick(0x800))); break;       // surrogates
                default: unit(static_cast<std::uint16_t>(1 + pick(0xFFFF))); break;
                }
            }
        }
        if (pick(6) == 0) stored.push_back(static_cast<std::uint8_t>(1 + pick(255)));  // odd byte
        std::string expected = referenceDecode(stored);
        ASSERT_EQ(jet::decodeJetText(stored), expected) << "seed " << seed << " round " << round;
        // Decoding into a string that held a longer text leaves nothing of it behind.
        std::string reused(300, 'q');
        jet::decodeJetText(stored, reused);
        ASSERT_EQ(reused, expected) << "seed " << seed << " round " << round;
    }
}

TEST(TextCodecTest, DecodesSurrogatesAcrossToggles) {
    // A pair split by toggling to compressed and back still pairs; a compressed character
    // between its halves makes both halves replacement characters.
    EXPECT_EQ(jet::decodeJetText(Bytes{0xFF, 0xFE, 0x00, 0x3D, 0xD8, 0x00, 0x00, 0x01, 0xDE}), "\xF0\x9F\x98\x81");
    EXPECT_EQ(jet::decodeJetText(Bytes{0xFF, 0xFE, 0x00, 0x3D, 0xD8, 0x00, 'a', 0x00, 0x01, 0xDE}),
              "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD");
    // A high surrogate before a long ASCII run, and one at the very end.
    EXPECT_EQ(jet::decodeJetText(Bytes{0xFF, 0xFE, 0x00, 0x3D, 0xD8, 0x00, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i'}),
              "\xEF\xBF\xBD" "abcdefghi");
    EXPECT_EQ(jet::decodeJetText(Bytes{'a', 0, 'b', 0, 'c', 0, 'd', 0, 0x3D, 0xD8}), "abcd\xEF\xBF\xBD");
}

TEST(TextCodecTest, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(jet::encodeUtf16Le("a\xC3"), (Bytes{'a', 0, 0xFD, 0xFF}));
    EXPECT_EQ(jet::encodeUtf16Le("\xED\xA0\x80"), (Bytes{0xFD, 0xFF}));  // encoded surrogate
}

}  // namespace
