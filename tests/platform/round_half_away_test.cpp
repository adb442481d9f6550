// Rounding halves away from zero as std::lround does, at the halves, just beside them and
// for the values the window and the date spelling round (pixels, milliseconds).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/round_half_away.h"
#include "tests/support/random_seed.h"

namespace {

TEST(RoundHalfAway, MatchesLroundAtHalvesAndBesideThem) {
    for (const double x : {0.0, -0.0, 0.5, -0.5, 1.5, -1.5, 2.5, -2.5, 0.49999999999999994, -0.49999999999999994,
                           4503599627370495.5, 86399999.5, 86399999.49999999, 254.99999999999997, 1e15 + 0.5})
        EXPECT_EQ(static_cast<long long>(platform::roundHalfAway(x)), std::llround(x)) << x;

    const std::uint32_t seed = static_cast<std::uint32_t>(
        testsupport::seedFromEnvironment("LUMOR_ROUND_SEED").value_or(std::random_device{}()));
    testsupport::announceSeed("round half away", seed, "LUMOR_ROUND_SEED");
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> wide(-1e9, 1e9), unit(0.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const double x = i % 2 ? wide(random) : unit(random) * 86400000.0;
        ASSERT_EQ(static_cast<long long>(platform::roundHalfAway(x)), std::llround(x)) << x;
    }
}

}  // namespace
