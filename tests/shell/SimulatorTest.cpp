#include "events/EventCtrl.h"
#include "platform/ProgramExit.h"
#include "rules/CardRecord.h"
#include "shell/Game.h"
#include "shell/GameTypes.h"
#include "shell/SimulatorRun.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

constexpr int ModeGames = 2;

// Totals are the sum of the three kinds, and each rank is one more than the number of players
// strictly ahead.
void ExpectConsistentScores(const json& game)
{
    const json& players = game.at("players");
    ASSERT_EQ(players.size(), 4u);
    for (const json& p : players) {
        EXPECT_EQ(p.at("total").get<int>(), p.at("threadPoints").get<int>() + p.at("resPoints").get<int>() +
                                                p.at("otherPoints").get<int>())
            << game.dump();
        int ahead = 0;
        for (const json& other : players)
            ahead += other.at("total").get<int>() > p.at("total").get<int>() ? 1 : 0;
        EXPECT_EQ(p.at("rank").get<int>(), ahead + 1) << game.dump();
    }
}

struct ModeCase {
    int mode;
    bool extra;
};

class WholeGames : public testing::TestWithParam<ModeCase> {};

TEST_P(WholeGames, RunToTheEndWithConsistentScores)
{
    const ModeCase c = GetParam();
    const SimulatorRun run = RunSimulator(AutoplayLine(c.mode, c.extra, ModeGames, 11));
    EXPECT_EQ(run.status, 0);
    // The program ends on the title that follows the last game's end screens.
    EXPECT_EQ(run.finalState, StateTitle);
    ASSERT_EQ(run.games.size(), static_cast<size_t>(ModeGames));
    for (size_t g = 0; g < run.games.size(); ++g) {
        const json& game = run.games[g];
        EXPECT_EQ(game.at("game").get<int>(), static_cast<int>(g) + 1);
        EXPECT_EQ(game.at("mode").get<int>(), c.mode);
        EXPECT_EQ(game.at("extra").get<bool>(), c.extra);
        EXPECT_EQ(game.at("draws").get<int>(), c.extra ? 328 : 204);
        EXPECT_GT(game.at("turns").get<int>(), 0);
        ExpectConsistentScores(game);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, WholeGames,
                         testing::Values(ModeCase{0, false}, ModeCase{1, false}, ModeCase{2, false},
                                         ModeCase{3, false}, ModeCase{0, true}, ModeCase{1, true},
                                         ModeCase{2, true}, ModeCase{3, true}),
                         [](const testing::TestParamInfo<ModeCase>& info) {
                             return "Mode" + std::to_string(info.param.mode) +
                                    (info.param.extra ? "Extra" : "");
                         });

TEST(Simulator, TheSameSeedGivesTheSameLines)
{
    const SimulatorRun first = RunSimulator(AutoplayLine(3, false, 2, 99));
    const SimulatorRun second = RunSimulator(AutoplayLine(3, false, 2, 99));
    ASSERT_EQ(first.lines.size(), 2u);
    EXPECT_EQ(first.lines, second.lines);
    const SimulatorRun other = RunSimulator(AutoplayLine(3, false, 2, 100));
    EXPECT_NE(first.lines, other.lines);
}

TEST(Simulator, GameLineHasEveryFieldInOrder)
{
    const SimulatorRun run = RunSimulator(AutoplayLine(0, false, 1, 5));
    ASSERT_EQ(run.lines.size(), 1u);
    const nlohmann::ordered_json game = nlohmann::ordered_json::parse(run.lines[0]);
    std::vector<std::string> keys;
    for (const auto& item : game.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"game", "seed", "mode", "extra", "firstPlayer", "draws",
                                              "turns", "players", "events", "eventOrder"}));
    EXPECT_EQ(game.at("seed").get<uint64_t>(), 5u);
    const int first = game.at("firstPlayer").get<int>();
    EXPECT_TRUE(first >= 0 && first <= 3);
    std::vector<std::string> playerKeys;
    for (const auto& item : game.at("players").at(0).items())
        playerKeys.push_back(item.key());
    EXPECT_EQ(playerKeys, (std::vector<std::string>{"total", "threadPoints", "resPoints", "otherPoints",
                                                    "finishedThreads", "finishedRes", "rank"}));
    // Events are counted by id; a whole game always raises some.
    ASSERT_TRUE(game.at("events").is_object());
    EXPECT_FALSE(game.at("events").empty());
    for (const auto& item : game.at("events").items()) {
        EXPECT_GT(std::stoi(item.key()), 0);
        EXPECT_GT(item.value().get<int>(), 0);
    }
}

// The balance tool tells how each thread ended from the pop-up before its end pop-up; that only
// holds while a 512 KB or stopper pop-up is directly followed by the end of its thread, and the
// end-of-game evaluation by nothing but thread ends.
TEST(Simulator, EventOrderTellsHowEachThreadEnded)
{
    const SimulatorRun run = RunSimulator(AutoplayLine(3, true, 3, 4));
    ASSERT_EQ(run.games.size(), 3u);
    const auto isEnd = [](int id) { return id >= ThreadEnd && id <= ThreadEnd + 18; };
    for (const json& game : run.games) {
        const std::vector<int> order = game.at("eventOrder").get<std::vector<int>>();
        std::map<int, int> counted;
        for (int id : order)
            ++counted[id];
        for (const auto& [id, count] : game.at("events").items())
            EXPECT_EQ(counted[std::stoi(id)], count.get<int>()) << "event " << id;
        int ends = 0;
        bool evaluating = false;
        for (size_t i = 0; i < order.size(); ++i) {
            ends += isEnd(order[i]) ? 1 : 0;
            if (order[i] == SizeOver || order[i] == TrueStopper) {
                ASSERT_LT(i + 1, order.size());
                EXPECT_TRUE(isEnd(order[i + 1])) << "after event " << order[i];
            }
            if (evaluating) {
                EXPECT_TRUE(isEnd(order[i])) << "event " << order[i] << " after the game end";
            }
            evaluating = evaluating || order[i] == GameEnd;
        }
        EXPECT_TRUE(evaluating);
        int finished = 0;
        for (const json& p : game.at("players"))
            finished += p.at("finishedThreads").get<int>();
        EXPECT_EQ(ends, finished);
    }
}

TEST(Simulator, DrawingDoesNotChangeTheGame)
{
    const auto quitAtTurn = [](int turnWait) {
        return [turnWait, seen = 0](Game&, int state) mutable {
            if (state == StatePlayerTurn && ++seen == turnWait)
                throw ProgramExit{0};
        };
    };
    const SimulatorRun bare = RunSimulator(AutoplayLine(3, false, 1, 17), true, false, quitAtTurn(60));
    const SimulatorRun drawn = RunSimulator(AutoplayLine(3, false, 1, 17), true, true, quitAtTurn(60));
    ASSERT_GT(bare.trace.size(), 20u);
    EXPECT_EQ(bare.trace, drawn.trace);
}

TEST(Simulator, AQuickerPacePlaysTheSameGameInLessTime)
{
    const auto timed = [](int pace) {
        CommandLine line = AutoplayLine(2, true, 1, 23);
        line.pace = pace;
        std::optional<uint32_t> first;
        uint32_t elapsed = 0;
        SimulatorRun run = RunSimulator(
            line, true, false,
            [&first](Game& game, int) {
                if (!first)
                    first = game.GetTickCount();
            },
            [&first, &elapsed](Game& game) { elapsed = game.GetTickCount() - first.value_or(0); });
        return std::make_pair(std::move(run), elapsed);
    };
    const auto [full, fullTime] = timed(100);
    const auto [quick, quickTime] = timed(25);
    ASSERT_EQ(full.games.size(), 1u);
    EXPECT_EQ(full.lines, quick.lines);
    EXPECT_EQ(full.trace, quick.trace);
    EXPECT_LT(quickTime, fullTime / 2);
}

TEST(Simulator, TraceOpensWithTheFourFirstThreads)
{
    const SimulatorRun run = RunSimulator(AutoplayLine(0, false, 1, 21), true);
    ASSERT_EQ(run.games.size(), 1u);
    ASSERT_GE(run.trace.size(), 4u);
    const int first = run.games[0].at("firstPlayer").get<int>();
    for (int d = 0; d < 4; ++d) {
        const json& line = run.trace[d];
        EXPECT_EQ(line.at("game").get<int>(), 1);
        EXPECT_EQ(line.at("turn").get<int>(), 0);
        EXPECT_EQ(line.at("player").get<int>(), (d + 4 - first) % 4);
        EXPECT_EQ(line.at("slot").get<int>(), 0);
        EXPECT_EQ(line.at("position").get<int>(), 0);
        EXPECT_EQ(line.at("cardIndex").get<int>(), ThreadCard);
        EXPECT_FALSE(line.at("discard").get<bool>());
        EXPECT_EQ(line.at("before").at("threadCount").get<int>(), d);
        EXPECT_EQ(line.at("after").at("threadCount").get<int>(), d + 1);
        // The newest thread sits on top and belongs to the player who opened it.
        const json& after = line.at("after");
        const int topSlot = after.at("order").at(0).get<int>();
        EXPECT_EQ(after.at("threads").at(topSlot).at("owner").get<int>(), line.at("player").get<int>());
    }
}

TEST(Simulator, TraceFollowsEveryCardOfAPileGame)
{
    const SimulatorRun run = RunSimulator(AutoplayLine(0, false, 1, 8), true);
    ASSERT_EQ(run.games.size(), 1u);
    // A shared pile of 204: 40 dealt, 4 replacements for the first threads, then one per move.
    ASSERT_EQ(run.trace.size(), 4u + 204u - 44u);
    std::map<int, int> raised;
    for (size_t i = 0; i < run.trace.size(); ++i) {
        const json& line = run.trace[i];
        for (const json& event : line.at("events"))
            ++raised[event.at("id").get<int>()];
        EXPECT_EQ(line.at("scores").size(), 4u);
        EXPECT_EQ(line.at("waitCount").size(), 4u);
        EXPECT_EQ(line.at("stopCount").size(), 4u);
        EXPECT_EQ(line.at("after").at("threads").size(), 12u);
        // Only cards change the board between two plays.
        if (i > 0) {
            EXPECT_EQ(line.at("before"), run.trace[i - 1].at("after")) << "move " << i;
        }
        // One move per turn; a banned player's turns pass without one.
        if (i >= 4) {
            EXPECT_GT(line.at("turn").get<int>(), run.trace[i - 1].at("turn").get<int>()) << "move " << i;
        }
        std::set<int> order;
        for (const json& slot : line.at("after").at("order"))
            order.insert(slot.get<int>());
        EXPECT_EQ(order.size(), 12u);
    }
    // The trace sees a pop-up only while a card resolves; the count covers every pop-up of the game.
    for (const auto& [id, count] : raised)
        EXPECT_LE(count, run.games[0].at("events").value(std::to_string(id), 0)) << "event " << id;
}

} // namespace
