#include "platform/KeyCodes.h"
#include "players/PlayerCtrl.h"
#include "shell/FormMain.h"
#include "shell/Game.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>

namespace {

struct HintedRun {
    SimulatorRun run;
    int turnWaits = 0;
};

// The autopilot's game with the hint key pressed at each of its turn waits: the hint has put the
// cursors on the autopilot's move when the autopilot finds nothing left to walk and presses Enter.
HintedRun PlayWithHints(const CommandLine& line)
{
    HintedRun hinted;
    hinted.run = RunSimulator(line, true, false, [&](Game& game, int state) {
        if (state != StatePlayerTurn)
            return;
        ++hinted.turnWaits;
        game.formMain->KeyDown(KeyCode::H);
    });
    return hinted;
}

class HintInEveryMode : public testing::TestWithParam<int> {};

TEST_P(HintInEveryMode, PointsAtTheAutopilotsMoveAndLeavesTheGameAsItWas)
{
    const int mode = GetParam() & 3;
    const bool extra = GetParam() >= 4;
    const CommandLine line = AutoplayLine(mode, extra, 1, 11 + GetParam());
    const SimulatorRun plain = RunSimulator(line, true);
    const HintedRun hinted = PlayWithHints(line);

    ASSERT_EQ(hinted.run.lines.size(), 1u);
    EXPECT_EQ(hinted.run.lines, plain.lines);
    EXPECT_EQ(hinted.run.trace, plain.trace);
    // One wait per move of seat 0: after the hint the autopilot pressed Enter straight away.
    int seatZeroMoves = 0;
    for (const nlohmann::json& move : hinted.run.trace)
        seatZeroMoves += move.at("player").get<int>() == 0 && move.at("turn").get<int>() > 0;
    EXPECT_EQ(hinted.turnWaits, seatZeroMoves);
}

INSTANTIATE_TEST_SUITE_P(Modes, HintInEveryMode, testing::Range(0, 8));

TEST(Hint, DoesNothingOutsideThePlayersTurn)
{
    TestGame t(false, 5, ShippedDataDir());
    t.game.Start();
    for (const int state : {StateTitle, StateSelect}) {
        t.game.GameState = state;
        const int mode = t.game.GameMode;
        t.game.formMain->KeyDown(KeyCode::H);
        EXPECT_EQ(t.game.GameState, state);
        EXPECT_EQ(t.game.GameMode, mode);
    }
}

} // namespace
