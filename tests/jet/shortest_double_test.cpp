// The shortest spelling of doubles, differential against the standard library's std::to_chars:
// edge values by name, every power of two and of ten with its neighbours, and random doubles.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "jet/shortest_double.h"
#include "jet/value_text.h"
#include "tests/support/random_seed.h"

namespace {

std::string ours(double value) {
    char buffer[32];
    return std::string(buffer, jet::writeShortestDouble(buffer, value));
}

std::string library(double value) {
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// Returns false (after reporting) on a difference.
bool spellsLikeLibrary(double value) {
    std::string expected = library(value), actual = ours(value);
    if (expected == actual) return true;
    ADD_FAILURE() << "bits 0x" << std::hex << std::bit_cast<std::uint64_t>(value) << std::dec
                  << ": std::to_chars \"" << expected << "\", ours \"" << actual << "\"";
    return false;
}

TEST(ShortestDoubleTest, SpellsNamedValuesLikeTheLibrary) {
    struct Case { double value; const char* text; };
    const Case cases[] = {
        {0.0, "0"}, {-0.0, "-0"}, {100, "100"}, {0.001, "0.001"}, {1e-4, "1e-04"},
        {1.5e-7, "1.5e-07"}, {1e20, "1e+20"}, {1e4, "10000"}, {1e5, "1e+05"},
        {123456, "123456"}, {0.1, "0.1"}, {0.1 + 0.2, "0.30000000000000004"},
        {444.555, "444.555"}, {5e-324, "5e-324"}, {1e21, "1e+21"}, {-2.5, "-2.5"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::min(), "2.2250738585072014e-308"},
        {std::numeric_limits<double>::denorm_min() * 3, "1.5e-323"},
        {9007199254740993.0, "9007199254740992"},
        // Fixed notation past 2^53 prints the double's exact integer, not the short digits.
        {123456789012345680000.0, "123456789012345683968"},
        {1.2345678e9, "1234567800"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ours(c.value), c.text);
        EXPECT_EQ(library(c.value), c.text) << "the reference itself";
    }
}

TEST(ShortestDoubleTest, FormatDoubleNamesTheValuesWithoutDigits) {
    EXPECT_EQ(jet::formatDouble(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(jet::formatDouble(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(jet::formatDouble(-std::numeric_limits<double>::infinity()), "-Infinity");
    EXPECT_EQ(jet::formatDouble(0.25), "0.25");
}

// Powers of two hold the narrow gaps below; powers of ten the switches between fixed and
// scientific and the digit-count boundaries; their neighbours the longest outputs.
TEST(ShortestDoubleTest, SpellsPowersAndTheirNeighboursLikeTheLibrary) {
    const double infinity = std::numeric_limits<double>::infinity();
    auto withNeighbours = [&](double value) {
        for (double v : {std::nextafter(value, 0.0), value, std::nextafter(value, infinity)})
            if (std::isfinite(v) && !(spellsLikeLibrary(v) && spellsLikeLibrary(-v))) return false;
        return true;
    };
    for (int e = -1074; e <= 1023; ++e)
        if (!withNeighbours(std::ldexp(1.0, e))) return;
    for (int e = -323; e <= 308; ++e) {
        double power = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
        if (!withNeighbours(power) || !withNeighbours(5 * power) || !withNeighbours(9.5 * power))
            return;
    }
    // The subnormal range and its top end.
    for (std::uint64_t bits = 1; bits < 5000; ++bits)
        if (!spellsLikeLibrary(-std::bit_cast<double>(bits))) return;
    if (!withNeighbours(std::numeric_limits<double>::min())) return;
    if (!withNeighbours(std::numeric_limits<double>::max())) return;
}

// Random bit patterns cover the whole exponent range evenly; short decimals, floats widened
// to doubles (how single-precision columns are spelled) and integers are what catalogs hold,
// and give ties and trailing zeros. LUMOR_DOUBLE_SEED=n reruns one seed.
TEST(ShortestDoubleTest, SpellsRandomDoublesLikeTheLibrary) {
    std::uint64_t seed = std::random_device{}();
    if (const char* env = std::getenv("LUMOR_DOUBLE_SEED")) seed = std::strtoull(env, nullptr, 10);
    testsupport::announceSeed("ShortestDoubleTest", seed, "LUMOR_DOUBLE_SEED");
    std::mt19937_64 random(seed);
    const double tens[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
#ifdef __SANITIZE_ADDRESS__
    const int count = 200'000;  // ten times slower under the sanitizers
#else
    const int count = 1'000'000;
#endif
    for (int i = 0; i < count; ++i) {
        double value;
        switch (i % 4) {
        case 0:
        case 1:
            value = std::bit_cast<double>(random());
            if (!std::isfinite(value)) continue;
            break;
        case 2: value = double(random() % 100'000'000) / tens[random() % 9]; break;
        default:
            value = random() % 2 ? double(std::bit_cast<float>(static_cast<std::uint32_t>(random())))
                                 : double(random() >> (random() % 64));
            if (!std::isfinite(value)) continue;
        }
        if (!spellsLikeLibrary(value)) {
            ADD_FAILURE() << "seed " << seed << ", value " << i;
            return;
        }
    }
}

}  // namespace
