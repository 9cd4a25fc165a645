#include "shell/Autopilot.h"

#include "platform/KeyCodes.h"
#include "platform/ProgramExit.h"
#include "screens/Opening.h"
#include "shell/FormMain.h"
#include "shell/Game.h"
#include "shell/SimulatorRun.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Presses the autopilot's title keys until it would press Enter; returns the keys pressed.
int WalkTitle(Game& game, Autopilot& pilot)
{
    int keys = 0;
    for (int key = pilot.NextKey(StateTitle); key != KeyCode::Enter && keys < 20;
         key = pilot.NextKey(StateTitle)) {
        game.formMain->KeyDown(key);
        ++keys;
    }
    return keys;
}

TEST(Autopilot, WalksTheTitleToEveryModeFromEveryItem)
{
    TestGame t(false, 3, ShippedDataDir());
    t.game.Start();
    for (const bool extra : {false, true}) {
        for (int mode = 0; mode < 4; ++mode) {
            for (int start = 0; start <= MenuQuit; ++start) {
                t.game.GameMode = start;
                t.game.opening->GotoOpening();
                Autopilot pilot(t.game, mode, extra, false);
                const int keys = WalkTitle(t.game, pilot);
                EXPECT_EQ(t.game.GameState, StateTitle);
                EXPECT_EQ(t.game.GameMode & 7, mode) << "from " << start;
                EXPECT_EQ(t.game.opening->extraCount() == 5, extra) << "from " << start;
                // Two steps reach any mode; the Extra switch adds the way to the quit item and five presses.
                EXPECT_LE(keys, extra ? 8 : 2) << "mode " << mode << " from " << start;
            }
        }
    }
}

TEST(Autopilot, TurnsTheExtraSwitchOffWhenAPlainGameIsWanted)
{
    TestGame t(false, 3, ShippedDataDir());
    t.game.Start();
    Autopilot extraPilot(t.game, 2, true, false);
    WalkTitle(t.game, extraPilot);
    ASSERT_EQ(t.game.opening->extraCount(), 5);
    Autopilot plainPilot(t.game, 1, false, false);
    WalkTitle(t.game, plainPilot);
    EXPECT_EQ(t.game.opening->extraCount(), 0);
    EXPECT_EQ(t.game.GameMode, 1);
}

TEST(Autopilot, PlaysSeatZeroThroughTheCursorKeys)
{
    int turnWaits = 0;
    const SimulatorRun run = RunSimulator(AutoplayLine(0, false, 1, 31), true, false,
                                          [&](Game&, int state) { turnWaits += state == StatePlayerTurn; });
    ASSERT_EQ(run.games.size(), 1u);
    int moves = 0;
    std::set<int> positions;
    std::set<int> slots;
    for (const nlohmann::json& line : run.trace) {
        if (line.at("player").get<int>() != 0 || line.at("turn").get<int>() == 0)
            continue;
        ++moves;
        positions.insert(line.at("position").get<int>());
        slots.insert(line.at("slot").get<int>());
    }
    // About a quarter of the 160 moves of a pile game are seat 0's.
    EXPECT_GT(moves, 25);
    // The cursors really travel: the chosen moves spread over the board and the hand.
    EXPECT_GT(positions.size(), 2u);
    EXPECT_GT(slots.size(), 3u);
    // At most six steps on the board, nine in the hand and Enter: no refused commit, no wandering.
    EXPECT_LE(turnWaits, moves * 16);
}

TEST(Autopilot, LetsTheQuitAtStateObserverEndTheProgramMidGame)
{
    int turnWaits = 0;
    bool pictureHasABoard = false;
    const SimulatorRun run = RunSimulator(
        AutoplayLine(1, false, 1, 4), false, true,
        [&](Game&, int state) {
            if (state == StatePlayerTurn && ++turnWaits == 5)
                throw ProgramExit{0};
        },
        [&](Game& game) {
            std::set<uint32_t> colours;
            for (int y = 0; y < game.PictureMain.Height(); y += 3) {
                for (int x = 0; x < game.PictureMain.Width(); x += 3)
                    colours.insert(game.PictureMain.Pixel(x, y));
            }
            pictureHasABoard = colours.size() > 8;
        });
    EXPECT_EQ(run.finalState, StatePlayerTurn);
    EXPECT_TRUE(run.games.empty());
    EXPECT_TRUE(pictureHasABoard);
}

} // namespace
