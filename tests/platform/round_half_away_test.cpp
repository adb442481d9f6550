// Rounding halves away from zero, as std::lround is defined to: at the halves, just beside
// them and over the values the window and the date spelling round (pixels, milliseconds).
// Not against the C runtime's llround: mingw's adds 0.5 in double and so rounds the largest
// double below a half up to 1.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <utility>

#include "platform/round_half_away.h"
#include "tests/support/random_seed.h"

namespace {

// The definition, in 80-bit long double, where x + 0.5 is exact for every |x| below 2^62.
long long byDefinition(double x) {
    const long double l = x;
    return static_cast<long long>(x < 0 ? -std::floor(-l + 0.5L) : std::floor(l + 0.5L));
}

TEST(RoundHalfAway, RoundsHalvesAwayFromZeroAndNothingElse) {
    const std::pair<double, long long> cases[] = {
        {0.0, 0}, {-0.0, 0}, {0.5, 1}, {-0.5, -1}, {1.5, 2}, {-1.5, -2}, {2.5, 3}, {-2.5, -3},
        {0.49999999999999994, 0}, {-0.49999999999999994, 0}, {254.99999999999997, 255},
        {86399999.5, 86400000}, {86399999.49999999, 86399999}, {1e15 + 0.5, 1000000000000001},
        {4503599627370495.5, 4503599627370496}, {-4503599627370495.5, -4503599627370496}};
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(static_cast<long long>(platform::roundHalfAway(x)), expected) << x;

    const std::uint32_t seed = static_cast<std::uint32_t>(
        testsupport::seedFromEnvironment("LUMOR_ROUND_SEED").value_or(std::random_device{}()));
    testsupport::announceSeed("round half away", seed, "LUMOR_ROUND_SEED");
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> wide(-1e9, 1e9), unit(0.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = i % 2 ? wide(random) : unit(random) * 86400000.0;
        ASSERT_EQ(static_cast<long long>(platform::roundHalfAway(x)), byDefinition(x)) << x;
    }
}

}  // namespace
