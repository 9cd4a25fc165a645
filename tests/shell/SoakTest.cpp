#include "shell/Soak.h"

#include "shell/SimulatorRun.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int SeedsPerMode = 4;
constexpr int GamesPerSeed = 10;

std::string Report(const Soak& soak)
{
    std::string text;
    for (const std::string& what : soak.Violations())
        text += what + "\n";
    return text;
}

class SoakTest : public testing::TestWithParam<int> {};

// Several games on one program run, so that every game starts from what the last one left.
TEST_P(SoakTest, WholeGamesStayConsistentAfterEveryMove)
{
    const int mode = GetParam();
    Soak soak(ShippedDataDir());
    for (int s = 0; s < SeedsPerMode; ++s)
        soak.Run(mode, GamesPerSeed, 1000 + 37 * static_cast<uint64_t>(mode) + static_cast<uint64_t>(s));
    EXPECT_EQ(soak.ViolationCount(), 0) << Report(soak);
    EXPECT_EQ(soak.Games(), SeedsPerMode * GamesPerSeed);
    // At least one audit per turn.
    EXPECT_GT(soak.Checks(), static_cast<int64_t>(soak.Games()) * 150);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, SoakTest, testing::Range(0, Soak::Modes),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Mode" + std::to_string(info.param & 3) +
                                    (info.param >= 4 ? "Extra" : "");
                         });

TEST(Soak, ARunThatCannotStartCountsAsAViolation)
{
    Soak soak("/nonexistent/");
    soak.Run(0, 2, 1);
    EXPECT_EQ(soak.Games(), 0);
    EXPECT_GE(soak.ViolationCount(), 2);
    ASSERT_FALSE(soak.Violations().empty());
    EXPECT_NE(soak.Violations()[0].find("mode 0 seed 1"), std::string::npos) << Report(soak);
}

} // namespace
