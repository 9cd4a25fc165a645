#include "rules/Playout.h"

#include "data/FileLoader.h"
#include "rules/RuleTables.h"
#include "shell/Game.h"
#include "shell/ModelSimulator.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

constexpr int GamesPerSeed = 2;
// Seeds 40 and 98 each deal a deck game (a normal one, an Extra one) whose last card goes with a
// banned player's lost turn, just before seat 0 would move.
constexpr std::array<uint64_t, 3> Seeds = {11, 40, 98};

// 23:00 local time: the minute whose responses take the late-night greeting instead of their text.
std::time_t LateNight()
{
    std::tm local{};
    local.tm_year = 2023 - 1900;
    local.tm_mon = 10;
    local.tm_mday = 14;
    local.tm_hour = 23;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

// The rules' tables and the thread library from the shipped data, read as the program reads them.
struct ShippedRules {
    ShippedRules() : t(false, 1, ShippedDataDir()), loader(t.game)
    {
        loader.DataLoad();
        loader.ThreadPublicLoad();
        tables = RuleTables(t.game.cardDefs, t.game.specialTexts);
        library = loader.Library();
        t.game.now = LateNight;
    }

    TestGame t;
    FileLoader loader;
    RuleTables tables;
    ThreadLibrary library;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct ModeCase {
    int mode;
    bool extra;
};

class PlayoutMode : public testing::TestWithParam<ModeCase> {
protected:
    int GameMode() const { return GetParam().mode | (GetParam().extra ? ModeExtra : 0); }

    static ShippedRules& Shipped()
    {
        static ShippedRules shipped;
        return shipped;
    }
};

TEST_P(PlayoutMode, PlaysTheProgramsGamesCardForCard)
{
    ShippedRules& shipped = Shipped();
    for (const uint64_t seed : Seeds) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const SimulatorRun program =
            RunSimulator(AutoplayLine(GetParam().mode, GetParam().extra, GamesPerSeed, seed), true, false,
                         [](Game& game, int) { game.now = LateNight; });
        ASSERT_EQ(program.lines.size(), static_cast<size_t>(GamesPerSeed));

        ModelSimulator model(shipped.tables, shipped.library, seed);
        std::ostringstream trace;
        std::vector<std::string> games;
        for (int g = 0; g < GamesPerSeed; ++g)
            games.push_back(model.PlayGame(GameMode(), shipped.t.game.PostDate(), &trace));
        EXPECT_EQ(games, program.lines);

        const std::vector<std::string> cards = Lines(trace.str());
        ASSERT_EQ(cards.size(), program.trace.size());
        for (size_t i = 0; i < cards.size(); ++i)
            ASSERT_EQ(json::parse(cards[i]), program.trace[i]) << "card line " << i + 1;
    }
}

TEST_P(PlayoutMode, ACopyPlaysOnAsTheOriginal)
{
    ShippedRules& shipped = Shipped();
    const Playout playout(shipped.tables, shipped.library);
    const int32_t date = shipped.t.game.PostDate();
    MatchState original;
    original.rng = Rng(5, true);
    playout.Deal(original, GameMode(), date);

    // Copied just after seat 0's first, tenth and twentieth plays.
    std::vector<MatchState> copies;
    int seatPlays = 0;
    bool seatPlayed = false;
    const Playout::CommitHook onCommit = [&](const CardPlay& play, bool after) {
        seatPlayed = after && play.player == 0;
    };
    Rules rules(shipped.tables, original);
    rules.PostDate(date);
    while (copies.size() < 3 && playout.Turn(rules, onCommit)) {
        if (!seatPlayed)
            continue;
        seatPlayed = false;
        ++seatPlays;
        if (seatPlays == 1 || seatPlays == 10 || seatPlays == 20)
            copies.push_back(original);
    }
    ASSERT_EQ(copies.size(), 3u);
    playout.Finish(original, date);
    for (size_t c = 0; c < copies.size(); ++c) {
        playout.Finish(copies[c], date);
        EXPECT_TRUE(copies[c] == original) << "copy " << c;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, PlayoutMode,
                         testing::Values(ModeCase{0, false}, ModeCase{1, false}, ModeCase{2, false},
                                         ModeCase{3, false}, ModeCase{0, true}, ModeCase{1, true},
                                         ModeCase{2, true}, ModeCase{3, true}),
                         [](const testing::TestParamInfo<ModeCase>& info) {
                             return "Mode" + std::to_string(info.param.mode) +
                                    (info.param.extra ? "Extra" : "");
                         });

} // namespace
