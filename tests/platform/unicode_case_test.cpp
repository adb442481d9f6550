#include "platform/unicode_case.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using platform::fileNameCaseKey;
using platform::upcaseForFileNames;

// Runs whose delta reaches past 16 bits either way, at their ends, and what lies beside them.
TEST(UnicodeCase, FarDeltasAndRunEndsUpcaseExactly) {
    EXPECT_EQ(upcaseForFileNames(U'\u0265'), U'\uA78D');  // +42280
    EXPECT_EQ(upcaseForFileNames(U'\u026A'), U'\uA7AE');  // +42308
    EXPECT_EQ(upcaseForFileNames(U'\uAB70'), U'\u13A0');  // -38864, first of its run
    EXPECT_EQ(upcaseForFileNames(U'\uABBF'), U'\u13EF');  // last of it
    EXPECT_EQ(upcaseForFileNames(U'\uABC0'), U'\uABC0');
    EXPECT_EQ(upcaseForFileNames(U'\u00FF'), U'\u0178');
    EXPECT_EQ(upcaseForFileNames(U'\u0142'), U'\u0141');  // every other code point of a run
    EXPECT_EQ(upcaseForFileNames(U'\u0141'), U'\u0141');
    EXPECT_EQ(upcaseForFileNames(U'\uFF5A'), U'\uFF3A');
    EXPECT_EQ(upcaseForFileNames(U'\U00010428'), U'\U00010428');  // beyond the BMP: unchanged
    EXPECT_EQ(fileNameCaseKey("Zażółć/ꭰ.jpg"), "ZAŻÓŁĆ/Ꭰ.JPG");
}

// The whole BMP against a digest of the table as generated: a run that is lost, cut short or
// shifted changes it.
TEST(UnicodeCase, WholeBmpMatchesTheGeneratedTable) {
    std::uint64_t digest = 1469598103934665603u;
    unsigned changed = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const char32_t upper = upcaseForFileNames(c);
        if (upper != c) ++changed;
        digest = (digest ^ upper) * 1099511628211u;
    }
    EXPECT_EQ(changed, 1163u);
    EXPECT_EQ(digest, 0x8431a913a290823aull);
}

}  // namespace
