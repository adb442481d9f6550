// The merge's flat hash index, and the equality of debug mode's searches, against a standard map keyed by what each random key is, as the
// test made it: a number by its exact value in quarters whatever kind carries it (Byte,
// Integer, Long, Single, Double, Currency, Decimal of any precision and scale, negative zero
// included), a text by its bytes and kind family, null by itself. The reference never asks
// the product how to key a value. Through growth; prints its seed, LUMOR_KEY_INDEX_SEED=N
// reruns one.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <string>

#include "catalog/field_value.h"
#include "catalog/key_index.h"
#include "tests/support/random_seed.h"

namespace catalog {
namespace {

jet::Decimal decimalOf(std::int64_t units, std::uint8_t scale, std::uint8_t precision, bool negativeZero) {
    jet::Decimal d;
    d.negative = units < 0 || (units == 0 && negativeZero);
    d.low = static_cast<std::uint64_t>(units < 0 ? -units : units);
    d.scale = scale;
    d.precision = precision;
    return d;
}

struct MadeKey {
    jet::Value value;
    std::string identity;  // equal exactly when the keys must meet
};

// A number of `quarters` / 4 in a random kind that holds it exactly.
MadeKey randomNumber(std::mt19937& random, std::int64_t quarters) {
    const std::string identity = "number " + std::to_string(quarters);
    const bool whole = quarters % 4 == 0;
    const std::int64_t n = quarters / 4;
    for (;;) {
        switch (random() % 8) {
        case 0: if (whole) return {jet::Value(static_cast<std::int32_t>(n)), identity}; break;
        case 1: if (whole) return {jet::Value(static_cast<std::int16_t>(n)), identity}; break;
        case 2: if (whole && n >= 0 && n <= 255) return {jet::Value(static_cast<std::uint8_t>(n)), identity}; break;
        case 3: return {jet::Value(quarters == 0 && random() % 2 ? -0.0 : static_cast<double>(quarters) / 4), identity};
        case 4: return {jet::Value(static_cast<float>(quarters) / 4), identity};
        case 5: return {jet::Value(jet::Currency{quarters * 2500}), identity};
        default: {
            // Scale 2 or more holds quarters; scale 0 and 1 only what they can.
            const std::uint8_t scale = static_cast<std::uint8_t>(random() % 6);
            if (scale < 2 && !(whole || (scale == 1 && quarters % 2 == 0))) break;
            std::int64_t units = quarters * 25;  // hundredths
            for (int s = 2; s < scale; ++s) units *= 10;
            for (int s = scale; s < 2; ++s) units /= 10;
            const auto precision = static_cast<std::uint8_t>(10 + random() % 19);
            return {jet::Value(decimalOf(units, scale, precision, random() % 2 == 0)), identity};
        }
        }
    }
}

MadeKey randomKey(std::mt19937& random) {
    const std::int64_t quarters = static_cast<std::int64_t>(random() % 600) - 300;
    switch (random() % 6) {
    case 0:
    case 1:
    case 2: return randomNumber(random, random() % 2 ? quarters : quarters / 4 * 4);
    case 3: {
        const std::string s = (quarters % 2 ? "Abc" : "aBC") + std::to_string(quarters % 40);
        return {jet::Value::text(s), "text " + s};
    }
    case 4: {
        const std::string s = "x" + std::to_string(quarters % 40);
        return {jet::Value::memo(s), "text " + s};  // a memo meets the text of its bytes
    }
    default: return {jet::Value(), "null"};
    }
}

void checkSeed(std::uint32_t seed) {
    testsupport::announceSeed("key index", seed, "LUMOR_KEY_INDEX_SEED");
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    KeyIndex index;
    std::map<std::string, std::uint32_t> reference;
    for (std::uint32_t step = 0; step < 3000; ++step) {
        const MadeKey key = randomKey(random);
        if (random() % 2) {
            const bool added = reference.emplace(key.identity, step).second;
            ASSERT_EQ(index.insert(key.value, step), added) << key.identity;
        } else {
            const auto it = reference.find(key.identity);
            const auto found = index.find(key.value);
            ASSERT_EQ(found.has_value(), it != reference.end()) << key.identity;
            if (found) {
                ASSERT_EQ(*found, it->second) << key.identity;
            }
        }
    }
    EXPECT_EQ(index.size(), reference.size());
}

TEST(KeyIndex, FindsWhatAMapOfTheKeysValuesFinds) {
    if (const auto seed = testsupport::seedFromEnvironment("LUMOR_KEY_INDEX_SEED"))
        return checkSeed(static_cast<std::uint32_t>(*seed));
    for (std::uint32_t seed : {1u, 2u, 3u}) checkSeed(seed);
    checkSeed(std::random_device{}());
}

// Debug mode's record-by-record searches compare with valuesEqual: it must meet the same keys.
TEST(KeyIndex, RecordByRecordEqualityMeetsTheSameKeys) {
    const std::uint32_t seed = static_cast<std::uint32_t>(
        testsupport::seedFromEnvironment("LUMOR_KEY_EQUALITY_SEED").value_or(std::random_device{}()));
    testsupport::announceSeed("key equality", seed, "LUMOR_KEY_EQUALITY_SEED");
    std::mt19937 random(seed);
    for (int step = 0; step < 20000; ++step) {
        const MadeKey a = randomKey(random), b = randomKey(random);
        ASSERT_EQ(valuesEqual(a.value, b.value), a.identity == b.identity) << a.identity << " / " << b.identity;
    }
}

TEST(KeyIndex, NumbersMeetAcrossTypesAndTextsKeepTheirCase) {
    KeyIndex index;
    EXPECT_TRUE(index.insert(jet::Value(static_cast<std::int32_t>(7)), 1));
    EXPECT_FALSE(index.insert(jet::Value(7.0), 2));
    EXPECT_EQ(index.find(jet::Value(static_cast<std::uint8_t>(7))), 1u);
    EXPECT_EQ(index.find(jet::Value(decimalOf(700, 2, 12, false))), 1u);
    EXPECT_EQ(index.find(jet::Value(jet::Currency{70000})), 1u);
    EXPECT_FALSE(index.find(jet::Value::text("7")));
    EXPECT_TRUE(index.insert(jet::Value::text("ABC"), 3));
    EXPECT_FALSE(index.find(jet::Value::text("abc")));
    EXPECT_FALSE(index.find(jet::Value()));
    EXPECT_TRUE(index.insert(jet::Value(), 4));
    EXPECT_EQ(index.find(jet::Value()), 4u);
}

// Numbers beyond a Long and beyond a double's 53 bits: equal only when exactly equal.
TEST(KeyIndex, LargeNumbersMeetExactly) {
    KeyIndex index;
    jet::Decimal tenTo20;  // 10^20 = 0x5_6BC75E2D_63100000
    tenTo20.high = 5;
    tenTo20.low = 0x6BC75E2D63100000ull;
    EXPECT_TRUE(index.insert(jet::Value(tenTo20), 1));
    EXPECT_EQ(index.find(jet::Value(1e20)), 1u);
    jet::Decimal twoTo53Plus1;
    twoTo53Plus1.low = (1ull << 53) + 1;
    EXPECT_TRUE(index.insert(jet::Value(twoTo53Plus1), 2));
    EXPECT_FALSE(index.find(jet::Value(9007199254740992.0)));  // 2^53
    EXPECT_TRUE(index.insert(jet::Value(9007199254740992.0), 3));
    jet::Decimal scaled = twoTo53Plus1;  // 2^53 + 1 at scale 3: 9007199254740.993
    scaled.scale = 3;
    EXPECT_TRUE(index.insert(jet::Value(scaled), 4));
    EXPECT_FALSE(index.find(jet::Value(9007199254740.993)));  // the nearest double differs
    EXPECT_EQ(index.find(jet::Value(jet::Currency{90071992547409930})), 4u);
}

// Floating points that are no numbers: a NaN key meets a NaN key (a key must find itself),
// the infinities only themselves.
TEST(KeyIndex, NaNAndInfinitiesAreKeysOfTheirOwn) {
    KeyIndex index;
    EXPECT_TRUE(index.insert(jet::Value(std::numeric_limits<double>::quiet_NaN()), 1));
    EXPECT_EQ(index.find(jet::Value(std::numeric_limits<float>::quiet_NaN())), 1u);
    EXPECT_TRUE(index.insert(jet::Value(std::numeric_limits<double>::infinity()), 2));
    EXPECT_TRUE(index.insert(jet::Value(-std::numeric_limits<double>::infinity()), 3));
    EXPECT_EQ(index.find(jet::Value(std::numeric_limits<float>::infinity())), 2u);
    EXPECT_FALSE(index.find(jet::Value(1.7976931348623157e308)));
}

}  // namespace
}  // namespace catalog
