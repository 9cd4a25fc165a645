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

// Both ways of working out a batch must take the draws a one-at-a-time search takes, sparse rows
// and full ones, so that games and replays never depend on the processor they run on.
TEST(RngTest, BatchedDrawsTakeTheDrawsOfOneAtATime)
{
    for (const Rng::Lanes lanes : {Rng::Lanes::One, Rng::Lanes::Widest}) {
        Rng batched(99, true);
        Rng single(99, true);
        Rng masks(3, true);
        for (int trial = 0; trial < 3000; ++trial) {
            std::array<uint32_t, 10> rows{};
            const int setBits = 1 + masks.Below(trial % 3 == 0 ? 120 : 3);
            for (int bit = 0; bit < setBits; ++bit)
                rows[masks.Below(10)] |= 1U << masks.Below(12);
            const Rng::Cell cell = batched.DrawUntilSet(rows, 12, lanes);
            int row = 0;
            int column = 0;
            do {
                row = single.Below(10);
                column = single.Below(12);
            } while (((rows[row] >> column) & 1U) == 0);
            ASSERT_EQ(cell.row, row) << "trial " << trial;
            ASSERT_EQ(cell.column, column) << "trial " << trial;
            ASSERT_EQ(batched, single) << "trial " << trial;

            const std::array<uint8_t, 8> eight = batched.EightBelow(64 + trial % 193, lanes);
            for (const uint8_t drawn : eight)
                ASSERT_EQ(drawn, single.Below(64 + trial % 193)) << "trial " << trial;
        }
        const std::array<uint32_t, 10> none{};
        EXPECT_EQ(batched.DrawUntilSet(none, 12, lanes).row, -1);
        EXPECT_EQ(batched, single);
    }
}
