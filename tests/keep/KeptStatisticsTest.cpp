#include "keep/KeptSession.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

constexpr int NewGameKey = 113;
constexpr int StatisticsKey = 83;

TEST(KeptStatistics, FinishedAndAbandonedGamesAddUp)
{
    const std::string profile = MakeTempDir();
    KeptSession s(profile, 9, false, 1800000000, 3);
    int commitsAtThirdGame = -1;
    bool abandoned = false;
    s.beforeKey = [&](int state) {
        if (s.report.GamesFinished() < 2)
            return true;
        if (commitsAtThirdGame < 0)
            commitsAtThirdGame = s.commits;
        if (abandoned)
            return false;
        if (state == StatePlayerTurn && s.commits == commitsAtThirdGame + 3) {
            abandoned = true;
            s.headless.ScheduleAfter(0, InputEvent::Key(NewGameKey));
            return false;
        }
        return true;
    };
    s.Play();
    // The new-game key left the third game for the title.
    EXPECT_TRUE(abandoned);
    EXPECT_EQ(s.game.GameState, StateTitle);

    std::vector<nlohmann::json> games;
    std::istringstream lines(s.lines.str());
    for (std::string line; std::getline(lines, line);)
        games.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(games.size(), 2u);
    Statistics::Game expected;
    expected.finished = 2;
    expected.abandoned = 1;
    expected.bestScore = INT64_MIN;
    int64_t finishedThreads = 0;
    for (const nlohmann::json& game : games) {
        const nlohmann::json& player = game["players"][0];
        expected.firsts += player["rank"].get<int>() == 1 ? 1 : 0;
        expected.rankSum += player["rank"].get<int>();
        expected.scoreSum += player["total"].get<int>();
        expected.bestScore = std::max<int64_t>(expected.bestScore, player["total"].get<int>());
        finishedThreads += player["finishedThreads"].get<int>();
    }

    std::ostringstream messages;
    FolderStore store(profile);
    const Statistics stats = KeptGames::LoadStatistics(store, messages);
    EXPECT_EQ(messages.str(), "");
    const Statistics::Game& kept = stats.games[0];
    EXPECT_EQ(kept.finished, expected.finished);
    EXPECT_EQ(kept.abandoned, expected.abandoned);
    EXPECT_EQ(kept.firsts, expected.firsts);
    EXPECT_EQ(kept.rankSum, expected.rankSum);
    EXPECT_EQ(kept.scoreSum, expected.scoreSum);
    EXPECT_EQ(kept.bestScore, expected.bestScore);
    EXPECT_LE(kept.threads1000 + kept.threads512, finishedThreads);
    EXPECT_GT(kept.bestThread, 0);
    for (int i = 1; i < Statistics::GameCount; ++i)
        EXPECT_EQ(
            stats.games[static_cast<size_t>(i)].finished + stats.games[static_cast<size_t>(i)].abandoned, 0);
    // Nothing is left to resume after an abandoned game.
    EXPECT_FALSE(store.Load(KeptGames::RecordName).exists);
}

TEST(KeptStatistics, TheScreenOpensFromTheTitleAndAnyKeyBringsTheTitleBack)
{
    KeptSession s(MakeTempDir(), 9, true);
    std::vector<uint32_t> title;
    std::vector<uint32_t> shown;
    int step = 0;
    s.beforeKey = [&](int state) {
        if (state != StateTitle && state != StateBusy)
            return false;
        if (step == 0)
            title = s.Screen();
        else if (step == 1)
            shown = s.Screen();
        else
            return false;
        s.headless.ScheduleAfter(0, InputEvent::Key(step == 0 ? StatisticsKey : 27));
        ++step;
        return false;
    };
    s.Play();
    EXPECT_EQ(step, 2);
    EXPECT_FALSE(shown == title);
    EXPECT_TRUE(s.Screen() == title);
    EXPECT_EQ(s.game.GameState, StateTitle);
}

} // namespace
