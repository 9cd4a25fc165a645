#include "keep/KeptSession.h"
#include "shell/DailyDeal.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

constexpr const char* Day = "2026-12-09";
constexpr int StopAfter = 5;

// The report of a game, less the program's seed that it names.
nlohmann::json Report(const KeptSession& s)
{
    nlohmann::json report = nlohmann::json::parse(s.lines.str());
    report.erase("seed");
    return report;
}

// A whole daily game of Day from a program with the given seed.
nlohmann::json WholeDailyGame(uint64_t seed)
{
    KeptSession s(MakeTempDir(), seed, false);
    s.game.dailyDate = Day;
    s.Play();
    return Report(s);
}

TEST(KeptDaily, AResumedDailyGameStaysTheDaysDealAndCountsAsTheDaysResult)
{
    const nlohmann::json unbroken = WholeDailyGame(1);
    EXPECT_EQ(WholeDailyGame(2), unbroken) << "the day's deal does not depend on the program's seed";

    // Broken off in a daily program, finished in a free one with another seed.
    const std::string profile = MakeTempDir();
    {
        KeptSession broken(profile, 3, false);
        broken.game.dailyDate = Day;
        broken.beforeKey = [&](int) { return broken.commits < StopAfter; };
        broken.Play();
    }
    KeptSession resumed(profile, 4, false);
    resumed.Play();
    EXPECT_EQ(resumed.messages.str(), "");
    EXPECT_TRUE(SameGameResumed(resumed.lines.str(), unbroken.dump()));

    const nlohmann::json& player = unbroken["players"][0];
    const int rank = player["rank"].get<int>();
    const int64_t score = player["total"].get<int64_t>();
    EXPECT_EQ(resumed.headless.SharedLines(),
              std::vector<std::string>{DailyDeal::ShareLine(Day, 0, rank, score, "")});
    std::ostringstream messages;
    FolderStore store(profile);
    const Statistics stats = KeptGames::LoadStatistics(store, messages);
    ASSERT_TRUE(stats.daily.has_value());
    EXPECT_EQ(stats.daily->date, Day);
    EXPECT_EQ(stats.daily->rank, rank);
    EXPECT_EQ(stats.daily->score, score);
    EXPECT_EQ(stats.Against(Strength::Standard)[0].finished, 1);
}

TEST(KeptDaily, TheDaysBestResultIsKeptAndANewerDayReplacesIt)
{
    Statistics stats;
    const auto add = [&stats](const char* date, int rank, int64_t score) {
        Statistics::Result result;
        result.rank = rank;
        result.score = score;
        stats.AddDaily(date, ModeHarsh, result);
    };
    add("2026-12-09", 2, 300);
    add("2026-12-09", 1, 100);
    add("2026-12-09", 1, 90);
    add("2026-12-08", 1, 900);
    ASSERT_TRUE(stats.daily.has_value());
    EXPECT_EQ(stats.daily->score, 100);
    add("2026-12-10", 4, -20);
    EXPECT_EQ(stats.daily->date, "2026-12-10");

    std::string why;
    const std::optional<Statistics> again = Statistics::Parse(stats.Serialize(), why);
    ASSERT_TRUE(again.has_value()) << why;
    ASSERT_TRUE(again->daily.has_value());
    EXPECT_EQ(again->daily->score, -20);
    EXPECT_EQ(again->daily->gameMode, ModeHarsh);
    // Statistics written before daily deals still read.
    EXPECT_TRUE(Statistics::Parse(Statistics{}.Serialize(), why).has_value()) << why;
}

} // namespace
