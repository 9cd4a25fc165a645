#include "rules/Rng.h"

#include <array>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// floor(u * n) with u the next real and the product taken in double.
int RealBelow(Rng& rng, int n)
{
    return static_cast<int>(std::floor(static_cast<double>(rng.Next()) * n));
}

} // namespace

TEST(RngTest, BelowIsTheFloorOfTheRealTimesNForEveryRange)
{
    constexpr std::array<int, 14> ranges = {1,       2,       3,       10, 12, 64,         320, (1 << 29) - 1,
                                            1 << 29, 1 << 30, INT_MAX, 0,  -7, INT_MIN + 1};
    for (const int n : ranges) {
        Rng fast(12345, true);
        Rng real(12345, true);
        for (int draw = 0; draw < 20000; ++draw)
            ASSERT_EQ(fast.Below(n), RealBelow(real, n)) << "n " << n << " draw " << draw;
        EXPECT_EQ(fast, real);
    }
}

TEST(RngTest, ChanceComparesTheRealWithTheOddsInSinglePrecision)
{
    Rng chance(7, true);
    Rng real(7, true);
    for (int draw = 0; draw < 20000; ++draw) {
        const double p = (draw % 9) / 8.0 * 0.9 + 0.05;
        ASSERT_EQ(chance.Chance(p), real.Next() < static_cast<float>(p));
    }
}
