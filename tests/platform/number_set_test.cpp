// The set behind the long-value loop check: every number once, across the table's growth,
// with the extreme numbers a hostile file can name, the same answers as std::set.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>

#include "platform/number_set.h"
#include "tests/support/random_seed.h"

namespace {

TEST(NumberSet, TakesEachNumberOnceWhateverItsValue) {
    platform::NumberSet set;
    for (const std::uint32_t n : {0u, 0xFFFFFFFFu, 1u, 0x80000000u}) {
        EXPECT_TRUE(set.insert(n)) << n;
        EXPECT_FALSE(set.insert(n)) << n;
    }
    EXPECT_EQ(set.size(), 4u);
}

// Numbers that differ in their high bits only, as row addresses of one row on many pages do,
// and random ones with many repeats, across several doublings of the table.
TEST(NumberSet, AnswersAsStdSetAcrossGrowth) {
    platform::NumberSet set;
    for (std::uint32_t page = 0; page < 5000; ++page) ASSERT_TRUE(set.insert(page << 8 | 7)) << page;
    for (std::uint32_t page = 0; page < 5000; ++page) ASSERT_FALSE(set.insert(page << 8 | 7)) << page;

    const std::uint32_t seed = static_cast<std::uint32_t>(
        testsupport::seedFromEnvironment("LUMOR_NUMBER_SET_SEED").value_or(std::random_device{}()));
    testsupport::announceSeed("number set", seed, "LUMOR_NUMBER_SET_SEED");
    std::mt19937 random(seed);
    platform::NumberSet randomSet;
    std::set<std::uint32_t> expected;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t n = random() % 8000 * 0x10001u;
        ASSERT_EQ(randomSet.insert(n), expected.insert(n).second) << n;
    }
    EXPECT_EQ(randomSet.size(), expected.size());
}

}  // namespace
