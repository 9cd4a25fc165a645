#include "keep/Envelope.h"
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
    const Statistics::Game& kept = stats.Against(Strength::Standard)[0];
    EXPECT_EQ(kept.finished, expected.finished);
    EXPECT_EQ(kept.abandoned, expected.abandoned);
    EXPECT_EQ(kept.firsts, expected.firsts);
    EXPECT_EQ(kept.rankSum, expected.rankSum);
    EXPECT_EQ(kept.scoreSum, expected.scoreSum);
    EXPECT_EQ(kept.bestScore, expected.bestScore);
    EXPECT_LE(kept.threads1000 + kept.threads512, finishedThreads);
    EXPECT_GT(kept.bestThread, 0);
    // Against standard opponents, as the selection screen starts.
    EXPECT_FALSE(stats.Played(Strength::Weak) || stats.Played(Strength::Strong));
    for (int i = 1; i < Statistics::GameCount; ++i) {
        const Statistics::Game& other = stats.Against(Strength::Standard)[static_cast<size_t>(i)];
        EXPECT_EQ(other.finished + other.abandoned, 0);
    }
    // Nothing is left to resume after an abandoned game.
    EXPECT_FALSE(store.Load(KeptGames::RecordName).exists);
}

TEST(KeptStatistics, AVersionOneFileReadsAsGamesAgainstStandardOpponentsAndStrengthsStayApart)
{
    nlohmann::json list = nlohmann::json::array();
    for (int i = 0; i < Statistics::GameCount; ++i)
        list.push_back({{"finished", i},
                        {"abandoned", 1},
                        {"firsts", 0},
                        {"rankSum", 2 * i},
                        {"scoreSum", -5},
                        {"bestScore", -5},
                        {"threads1000", 0},
                        {"threads512", 0},
                        {"bestThread", 0}});
    const nlohmann::json body{
        {"games", list}, {"daily", {{"date", "2026-12-09"}, {"gameMode", 2}, {"rank", 1}, {"score", 9}}}};
    std::string why;
    std::optional<Statistics> stats =
        Statistics::Parse(Envelope::Seal(Statistics::Kind, 1, body.dump()), why);
    ASSERT_TRUE(stats.has_value()) << why;
    EXPECT_EQ(stats->Against(Strength::Standard)[3].finished, 3);
    EXPECT_EQ(stats->Against(Strength::Standard)[3].scoreSum, -5);
    EXPECT_FALSE(stats->Played(Strength::Weak) || stats->Played(Strength::Strong));
    ASSERT_TRUE(stats->daily.has_value());
    // With only standard games the table is the one it always was.
    EXPECT_EQ(stats->Text().find("against"), std::string::npos);

    Statistics::Result result;
    result.rank = 1;
    result.score = 40;
    stats->AddFinished(Strength::Strong, ModeHarsh, result);
    stats->AddAbandoned(Strength::Strong, ModeDeck);
    stats = Statistics::Parse(stats->Serialize(), why);
    ASSERT_TRUE(stats.has_value()) << why;
    EXPECT_EQ(stats->Against(Strength::Strong)[ModeHarsh].firsts, 1);
    EXPECT_EQ(stats->Against(Strength::Strong)[ModeDeck].abandoned, 1);
    EXPECT_EQ(stats->Against(Strength::Standard)[ModeHarsh].finished, 2);
    EXPECT_FALSE(stats->Played(Strength::Weak));
    const std::string text = stats->Text();
    EXPECT_NE(text.find("against standard opponents"), std::string::npos) << text;
    EXPECT_NE(text.find("against strong opponents"), std::string::npos) << text;
    EXPECT_EQ(text.find("against weak"), std::string::npos) << text;
    // A file of the new version that lacks a strength is damaged, not read as empty.
    nlohmann::json partial =
        nlohmann::json::parse(Envelope::Open(Statistics::Kind, 2, stats->Serialize(), why).value());
    partial["games"].erase("weak");
    EXPECT_FALSE(Statistics::Parse(Envelope::Seal(Statistics::Kind, 2, partial.dump()), why).has_value());
}

TEST(KeptStatistics, TheScreenOpensFromTheTitleTurnsItsPagesAndAnyOtherKeyBringsTheTitleBack)
{
    const std::string profile = MakeTempDir();
    {
        // Games against weak opponents give the screen a second page.
        Statistics weak;
        weak.AddAbandoned(Strength::Weak, 0);
        FolderStore store(profile);
        std::string error;
        ASSERT_TRUE(store.Save(KeptGames::StatisticsName, weak.Serialize(), error)) << error;
    }
    KeptSession s(profile, 9, true);
    std::vector<std::vector<uint32_t>> screens;
    const int keys[] = {StatisticsKey, 39, 39, 27};
    s.beforeKey = [&](int state) {
        if ((state != StateTitle && state != StateBusy) || screens.size() == std::size(keys))
            return false;
        screens.push_back(s.Screen());
        s.headless.ScheduleAfter(0, InputEvent::Key(keys[screens.size() - 1]));
        return false;
    };
    s.Play();
    ASSERT_EQ(screens.size(), std::size(keys));
    EXPECT_FALSE(screens[1] == screens[0]);
    EXPECT_FALSE(screens[2] == screens[1]) << "the right arrow turns the page";
    EXPECT_TRUE(screens[3] == screens[1]) << "two pages, round and round";
    EXPECT_TRUE(s.Screen() == screens[0]);
    EXPECT_EQ(s.game.GameState, StateTitle);
}

} // namespace
