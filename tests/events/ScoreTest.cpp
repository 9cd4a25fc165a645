#include "events/Score.h"

#include "board/Palette.h"
#include "players/PlayerCtrl.h"
#include "screens/ScreenGame.h"
#include "support/TestGame.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct ScoreTest : ::testing::Test {
    TestGame t{false};
    Score score{t.game};

    void SetTotals(std::array<int32_t, 4> totals)
    {
        score.ScoreInit();
        for (int p = 0; p < 4; ++p)
            score.AddScore(p, totals[p], 2);
    }

    std::array<int32_t, 4> Ranks() const
    {
        return {score.GetRank(0), score.GetRank(1), score.GetRank(2), score.GetRank(3)};
    }
};

TEST_F(ScoreTest, EqualTotalsShareTheBetterRankAndTheNextRankSkips)
{
    SetTotals({30, 50, 50, 10});
    EXPECT_EQ(Ranks(), (std::array<int32_t, 4>{3, 1, 1, 4}));
    SetTotals({40, 40, 10, 10});
    EXPECT_EQ(Ranks(), (std::array<int32_t, 4>{1, 1, 3, 3}));
    SetTotals({0, 0, 0, 0});
    EXPECT_EQ(Ranks(), (std::array<int32_t, 4>{1, 1, 1, 1}));
    SetTotals({-10, -20, 5, -10});
    EXPECT_EQ(Ranks(), (std::array<int32_t, 4>{2, 4, 1, 2}));
}

TEST_F(ScoreTest, TheLowestPossibleTotalIsStillRanked)
{
    SetTotals({0, 0, 0, 0});
    score.AddScore(3, std::numeric_limits<int32_t>::min(), 0);
    score.AddScore(1, std::numeric_limits<int32_t>::min(), 0);
    score.AddScore(1, -5, 0);
    EXPECT_EQ(Ranks(), (std::array<int32_t, 4>{1, 3, 1, 3}));
}

TEST_F(ScoreTest, PointsGoToTheirKindAndAlwaysToTheTotal)
{
    score.ScoreInit();
    score.AddScore(2, 100, 0);
    score.AddScore(2, -10, 0);
    score.AddScore(2, 20, 1);
    score.AddScore(2, 10, 2);
    score.AddScore(2, 7, 5);
    const PlayerScore& s = score.Get(2);
    EXPECT_EQ(s.threadPoints, 90);
    EXPECT_EQ(s.resPoints, 20);
    EXPECT_EQ(s.otherPoints, 10);
    EXPECT_EQ(s.total, 127);
    EXPECT_EQ(score.GetRank(2), 1);
    EXPECT_EQ(score.GetRank(0), 2);

    score.AddThread(2, 1001);
    score.AddThread(2, 300);
    EXPECT_EQ(score.Get(2).finishedThreads, 2);
    EXPECT_EQ(score.Get(2).finishedRes, 1301);

    score.ScoreInit();
    EXPECT_EQ(score.Get(2).total, 0);
    EXPECT_EQ(score.Get(2).finishedRes, 0);
    EXPECT_EQ(score.GetRank(2), 1);
}

TEST_F(ScoreTest, CountersStopAtTheEndsOfTheirRange)
{
    score.ScoreInit();
    score.AddScore(0, std::numeric_limits<int32_t>::max(), 1);
    score.AddScore(0, 50, 1);
    EXPECT_EQ(score.Get(0).total, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(score.Get(0).resPoints, std::numeric_limits<int32_t>::max());
    score.AddScore(1, std::numeric_limits<int32_t>::min(), 0);
    score.AddScore(1, -1, 0);
    EXPECT_EQ(score.Get(1).total, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(score.GetRank(0), 1);
    EXPECT_EQ(score.GetRank(1), 4);
}

TEST_F(ScoreTest, PlayerOutsideTheTableChangesNothing)
{
    const std::array<PlayerScore, 4> before = t.game.match.scores;
    score.AddScore(4, 10, 0);
    score.AddThread(-1, 10);
    EXPECT_EQ(t.game.match.scores, before);
}

TEST(ScoreRules, RankStrings)
{
    EXPECT_EQ(Score::GetRankString(1), "1st.");
    EXPECT_EQ(Score::GetRankString(2), "2nd.");
    EXPECT_EQ(Score::GetRankString(3), "3rd.");
    EXPECT_EQ(Score::GetRankString(4), "4th.");
    EXPECT_EQ(Score::GetRankString(0), "");
    EXPECT_EQ(Score::GetRankString(5), "");
}

TEST(ScoreRules, FinishedThreadPointsAtEveryBand)
{
    struct Band {
        int32_t low, high, points;
    };
    const Band bands[] = {{0, 699, 0},    {700, 799, 20}, {800, 849, 30},   {850, 899, 50},
                          {900, 949, 70}, {950, 999, 80}, {1000, 1001, 100}};
    for (const Band& b : bands) {
        EXPECT_EQ(Score::GetThreadPoint(b.low), b.points) << b.low;
        EXPECT_EQ(Score::GetThreadPoint(b.high), b.points) << b.high;
    }
}

TEST(ScoreRules, FormatScorePadsWithZerosOrRightAlignsNegatives)
{
    EXPECT_EQ(Score::FormatScore(42, 4), "0042");
    EXPECT_EQ(Score::FormatScore(0, 4), "0000");
    EXPECT_EQ(Score::FormatScore(-10, 4), " -10");
    EXPECT_EQ(Score::FormatScore(-5, 4), "  -5");
    EXPECT_EQ(Score::FormatScore(-100, 4), "-100");
    EXPECT_EQ(Score::FormatScore(12345, 4), "12345");
    EXPECT_EQ(Score::FormatScore(3, 2), "03");
}

TEST(ScoreRules, WaitBarHasOneSegmentPerStartedTenUnitsUpToTwenty)
{
    EXPECT_EQ(Score::WaitBarSegments(0), 0);
    EXPECT_EQ(Score::WaitBarSegments(1), 1);
    EXPECT_EQ(Score::WaitBarSegments(10), 1);
    EXPECT_EQ(Score::WaitBarSegments(11), 2);
    EXPECT_EQ(Score::WaitBarSegments(95), 10);
    EXPECT_EQ(Score::WaitBarSegments(200), 20);
    EXPECT_EQ(Score::WaitBarSegments(300), 20);
    EXPECT_EQ(Score::WaitBarSegments(-15), 0);
    EXPECT_EQ(Score::WaitBarSegments(std::numeric_limits<int32_t>::max()), 20);
}

TEST(ScoreRules, AverageFitsItsSevenCharacters)
{
    EXPECT_EQ(Score::FormatAverage(1700, 2), "850.00 ");
    EXPECT_EQ(Score::FormatAverage(301, 4), "075.25 ");
    EXPECT_EQ(Score::FormatAverage(1000, 3), "333.33 ");
    EXPECT_EQ(Score::FormatAverage(1001, 1), "1001.00");
    EXPECT_EQ(Score::FormatAverage(0, 0), "---.-- ");
}

TEST_F(ScoreTest, ResultOrderListsTiesInPlayerOrder)
{
    SetTotals({0, 0, 0, 0});
    EXPECT_EQ(score.PlacesByRank(), (std::array<int, 4>{0, 1, 2, 3}));
    SetTotals({10, 40, 10, 40});
    EXPECT_EQ(score.PlacesByRank(), (std::array<int, 4>{1, 3, 0, 2}));
    SetTotals({5, 20, 30, 20});
    EXPECT_EQ(score.PlacesByRank(), (std::array<int, 4>{2, 1, 3, 0}));
}

TEST_F(ScoreTest, ResultLinePutsEachFigureInItsColumn)
{
    score.ScoreInit();
    score.AddScore(1, 150, 0);
    score.AddScore(1, -20, 1);
    score.AddScore(1, 10, 2);
    score.AddThread(1, 1001);
    score.AddThread(1, 850);
    const std::string line = score.EndScoreLine(1);
    ASSERT_EQ(line.size(), 55u);
    // Columns 1, 8, 15, 26, 39 and 49, counted from 1.
    EXPECT_EQ(line, "0150" + std::string(3, ' ') + " -20" + std::string(3, ' ') + "0010" +
                        std::string(7, ' ') + "02" + std::string(11, ' ') + "1851" + std::string(6, ' ') +
                        "925.50 ");
    EXPECT_EQ(score.EndScoreLine(0).substr(0, 4), "0000");
    EXPECT_EQ(score.EndScoreLine(0).substr(48), "---.-- ");
}

} // namespace

namespace {

struct ScorePaintTest : ::testing::Test {
    ScreenGame s;
    Game& g = s.game;
    Picture& pic = s.game.PictureMain;
    Score& score = *s.game.score;

    ScorePaintTest()
    {
        for (int p = 0; p < 4; ++p)
            g.playerCtrl->Player(p).color = 3 - p;
        score.ScoreInit();
    }

    // Separate runs of the colour along a row, between two columns (right exclusive).
    int Runs(int y, int left, int right, Color c) const
    {
        int runs = 0;
        bool inside = false;
        for (int x = left; x < right; ++x) {
            const bool hit = pic.Pixel(x, y) == c;
            runs += hit && !inside;
            inside = hit;
        }
        return runs;
    }
};

TEST_F(ScorePaintTest, ColumnShowsEachPanelInItsPlayersColoursAndTheFocusArrow)
{
    score.Paint(2);
    for (int p = 0; p < 4; ++p) {
        const int x = 651, y = 80 * p + 20;
        EXPECT_EQ(pic.Pixel(x + 129, y + 10), Palette::PlayerFill(3 - p)) << p;
        EXPECT_EQ(pic.Pixel(x, y + 55), Palette::PlayerOutline(3 - p)) << p;
        // The arrow's shaft sits left of the panel.
        EXPECT_EQ(pic.Pixel(635, y + 35), p == 2 ? 0x00B0FFu : 0x339900u) << p;
    }
    EXPECT_EQ(pic.Pixel(700, 436), 0x339900u);

    score.Paint(-1);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(pic.Pixel(635, 80 * p + 55), 0x339900u) << p;
}

TEST_F(ScorePaintTest, BannedPlayerShowsTurnsLeftInRed)
{
    g.playerCtrl->Player(1).stopCount = 3;
    score.Paint(-1);
    const auto redIn = [&](int y) {
        for (int yy = y + 30; yy < y + 45; ++yy)
            for (int x = 661; x < 740; ++x)
                if (pic.Pixel(x, yy) == 0x0000C0)
                    return true;
        return false;
    };
    EXPECT_FALSE(redIn(20));
    EXPECT_TRUE(redIn(100));
}

TEST_F(ScorePaintTest, WaitBarsOnlyInTheHarshModes)
{
    g.playerCtrl->Player(0).waitCount = 95;
    g.playerCtrl->Player(1).waitCount = 300;
    g.playerCtrl->Player(2).waitCount = 0;
    g.playerCtrl->Player(3).waitCount = 1;
    g.GameMode = ModeHarsh;
    score.Paint(-1);
    const int counts[4] = {10, 20, 0, 1};
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(Runs(80 * p + 86, 651, 798, 0x990000), counts[p]) << p;
    EXPECT_EQ(pic.Pixel(661, 86), 0xFFFFFFu);

    g.GameMode = 0;
    score.Paint(-1);
    EXPECT_EQ(Runs(86, 651, 798, 0x990000), 0);
}

TEST_F(ScorePaintTest, ResultTableListsPlacesByRankWithTimedReveals)
{
    score.AddScore(0, 10, 0);
    score.AddScore(1, 40, 0);
    score.AddScore(2, 10, 0);
    score.AddScore(3, 40, 1);
    const int presents = s.platform.PresentCount();
    const uint32_t start = g.GetTickCount();
    score.PaintEndScore();
    const uint32_t elapsed = g.GetTickCount() - start;
    EXPECT_EQ(s.platform.PresentCount() - presents, 5);
    EXPECT_GE(elapsed, 1000u + 4 * 600);
    EXPECT_LE(elapsed, 1000u + 4 * 600 + 5);

    EXPECT_EQ(pic.Pixel(5, 5), 0x339900u);
    const int order[4] = {1, 3, 0, 2};
    for (int e = 0; e < 4; ++e)
        EXPECT_EQ(pic.Pixel(239, 100 * e + 160), Palette::PlayerFill(3 - order[e])) << e;
}

} // namespace
