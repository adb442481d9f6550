// The merge's flat hash index against a standard map of match keys, over random keys of every
// kind the merge compares (numbers of several types that meet numerically, texts differing only
// in case, nulls), through growth. Prints its seed; LUMOR_KEY_INDEX_SEED=N reruns one.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

#include "catalog/key_index.h"
#include "catalog/match_key.h"
#include "tests/support/random_seed.h"

namespace catalog {
namespace {

jet::Value randomKey(std::mt19937& random) {
    const int n = static_cast<int>(random() % 300) - 150;
    switch (random() % 7) {
    case 0: return jet::Value(static_cast<std::int32_t>(n));
    case 1: return jet::Value(static_cast<std::int16_t>(n));
    case 2: return jet::Value(static_cast<double>(n));
    case 3: return jet::Value(n + 0.5);
    case 4: return jet::Value::text((n % 2 ? "Abc" : "aBC") + std::to_string(n));
    case 5: return jet::Value::memo("x" + std::to_string(n));
    default: return jet::Value();
    }
}

void checkSeed(std::uint32_t seed) {
    testsupport::announceSeed("key index", seed, "LUMOR_KEY_INDEX_SEED");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    KeyIndex index;
    std::map<std::string, std::uint32_t> model;
    for (std::uint32_t step = 0; step < 3000; ++step) {
        const jet::Value key = randomKey(random);
        if (random() % 2) {
            const bool added = model.emplace(matchKey(key), step).second;
            ASSERT_EQ(index.insert(key, step), added) << matchKey(key);
        } else {
            const auto it = model.find(matchKey(key));
            const auto found = index.find(key);
            ASSERT_EQ(found.has_value(), it != model.end()) << matchKey(key);
            if (found) {
                ASSERT_EQ(*found, it->second) << matchKey(key);
            }
        }
    }
    EXPECT_EQ(index.size(), model.size());
}

TEST(KeyIndex, FindsWhatAMapOfMatchKeysFinds) {
    if (const char* env = std::getenv("LUMOR_KEY_INDEX_SEED"); env && *env) {
        checkSeed(static_cast<std::uint32_t>(std::strtoul(env, nullptr, 10)));
        return;
    }
    for (std::uint32_t seed : {1u, 2u, 3u}) checkSeed(seed);
    checkSeed(std::random_device{}());
}

TEST(KeyIndex, NumbersMeetAcrossTypesAndTextsKeepTheirCase) {
    KeyIndex index;
    EXPECT_TRUE(index.insert(jet::Value(static_cast<std::int32_t>(7)), 1));
    EXPECT_FALSE(index.insert(jet::Value(7.0), 2));
    EXPECT_EQ(index.find(jet::Value(static_cast<std::uint8_t>(7))), 1u);
    EXPECT_FALSE(index.find(jet::Value::text("7")));
    EXPECT_TRUE(index.insert(jet::Value::text("ABC"), 3));
    EXPECT_FALSE(index.find(jet::Value::text("abc")));
    EXPECT_FALSE(index.find(jet::Value()));
    EXPECT_TRUE(index.insert(jet::Value(), 4));
    EXPECT_EQ(index.find(jet::Value()), 4u);
}

}  // namespace
}  // namespace catalog
