#include "shell/InputStorm.h"

#include "events/Score.h"
#include "platform/ProgramExit.h"
#include "players/PlayerCtrl.h"
#include "shell/Autopilot.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "shell/GameAudit.h"
#include "shell/GameReport.h"
#include "shell/SimulatorRun.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The autopilot pauses before each key as it does in a window, so the storm gets in first most of
// the time.
constexpr bool Visible = true;
// Far longer than any pause, pop-up or unattended screen of a game.
constexpr uint32_t StallMs = 10 * 60 * 1000;

// One program run under the storm: the autopilot keeps the games going from the title while the
// storm presses, clicks and moves everywhere; each game's end and the return to the title are seen.
struct StormRun {
    StormRun(int mode, bool extra, int games, uint64_t seed)
        : platform(seed * 7919 + 1), game(platform, nullptr, seed, true, ShippedDataDir()),
          report(game, seed, games, nullptr), pilot(game, mode, extra, Visible)
    {
        platform.Watch(game);
        platform.beforeInput = [this] {
            ++inputsIn[game.GameState];
            if (commitDepth > 0)
                ++inputsInFlight;
            if (popUpUntil != 0 && static_cast<int32_t>(game.GetTickCount() - popUpUntil) < 0)
                ++inputsInPopUps;
            Observe();
            if (game.GetTickCount() - lastProgress > StallMs)
                game.Quit(StalledStatus);
        };
        game.onEvent = [this](int32_t eventIndex, const std::string&, int32_t, int32_t) {
            report.OnEvent(eventIndex);
            ++popUps;
            const Consts& c = *game.consts;
            popUpUntil = game.GetTickCount() + 18 * static_cast<uint32_t>(c.TimePopMove) +
                         static_cast<uint32_t>(c.TimePopShow);
            Progress();
        };
        game.onCardCommit = [this](const CardPlay& play, bool after) {
            commitDepth += after ? -1 : 1;
            if (!after && play.player == 0 && game.playerCtrl->turnCount() >= 0)
                ++humanCards;
            Progress();
        };
        pilot.Attach([this, games](int state) {
            ++waitsIn[state];
            Progress();
            if (state == StateGameOver && !overSeen) {
                ++finished;
                humanWon += game.score->GetRank(0) == 1 ? 1 : 0;
                audit.CheckBetweenMoves();
                audit.CheckGameOver();
            } else if (state == StatePlayerTurn) {
                audit.CheckBetweenMoves();
            } else if (state == StateTitle && finished > 0) {
                titlesAfterGames = finished;
            }
            overSeen = state == StateGameOver;
            report.OnInputWait(state);
        });
    }

    void Progress()
    {
        if (platform.Closed())
            ++afterClose;
        lastProgress = game.GetTickCount();
        Observe();
    }

    void Observe()
    {
        maxCommitDepth = std::max(maxCommitDepth, commitDepth);
        if (game.playerCtrl)
            maxStandByDepth = std::max(maxStandByDepth, game.playerCtrl->standByDepth());
        audit.CheckState();
    }

    void Play()
    {
        try {
            game.Start();
            game.Run();
        } catch (const ProgramExit& exit) {
            status = exit.status;
        }
    }

    static constexpr int StalledStatus = 97;

    StormPlatform platform;
    Game game;
    GameReport report;
    Autopilot pilot;
    GameAudit audit{game};

    int status = -1;
    int finished = 0;
    int titlesAfterGames = 0;
    int humanWon = 0;
    bool overSeen = false;
    int commitDepth = 0;
    int maxCommitDepth = 0;
    int32_t maxStandByDepth = 0;
    int64_t humanCards = 0;
    int64_t afterClose = 0;
    int64_t popUps = 0;
    int64_t inputsInFlight = 0;
    int64_t inputsInPopUps = 0;
    uint32_t popUpUntil = 0;
    uint32_t lastProgress = HeadlessPlatform::StartTick;
    std::map<int, int64_t> inputsIn;
    std::map<int, int64_t> waitsIn;
};

struct StormCase {
    int mode;
    bool extra;
    int games;
    uint64_t seed;
    bool spareTurns = false;
};

std::string Figures(const StormRun& run)
{
    std::string text = "inputs " + std::to_string(run.platform.Inputs()) + ", held " +
                       std::to_string(run.platform.Held()) + ", human cards " +
                       std::to_string(run.humanCards) + ", pop-ups " + std::to_string(run.popUps) +
                       ", inputs in flights " + std::to_string(run.inputsInFlight) + ", in pop-ups " +
                       std::to_string(run.inputsInPopUps) + "; inputs by state:";
    for (const auto& [state, count] : run.inputsIn)
        text += " " + std::to_string(state) + "=" + std::to_string(count);
    return text;
}

TEST(InputStorm, GamesEndUnderAStormOfInputWithoutANestedTurn)
{
    // Under the full storm seat 0 plays cards at random and never wins; in the last run its turns
    // are spared, and with this seed it wins, so that the winner's ending is stormed too.
    const std::vector<StormCase> cases = {
        {0, false, 3, 11}, {1, false, 2, 12}, {2, true, 2, 13}, {3, false, 1, 112, true}};
    std::set<int> stormedStates;
    std::set<int> waitedStates;
    int games = 0;
    int humanWon = 0;
    for (const StormCase& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + (c.extra ? " extra" : "") + " seed " +
                     std::to_string(c.seed));
        StormRun run(c.mode, c.extra, c.games, c.seed);
        run.platform.SpareTurns(c.spareTurns);
        run.Play();
        RecordProperty("storm_" + std::to_string(c.seed), Figures(run));
        std::cout << "[ storm    ] seed " << c.seed << ": " << Figures(run) << '\n';

        EXPECT_EQ(run.status, 0) << Figures(run);
        EXPECT_EQ(run.finished, c.games);
        // The program ends on the title that follows the last game.
        EXPECT_EQ(run.titlesAfterGames, c.games);
        EXPECT_EQ(run.maxStandByDepth, 1);
        EXPECT_EQ(run.maxCommitDepth, 1);
        EXPECT_EQ(run.audit.Violations(), std::vector<std::string>{});
        EXPECT_GT(run.humanCards, 0);
        EXPECT_GT(run.inputsInFlight, 0);
        EXPECT_GT(run.inputsInPopUps, 0);
        games += run.finished;
        humanWon += run.humanWon;
        for (const auto& entry : run.inputsIn)
            stormedStates.insert(entry.first);
        for (const auto& entry : run.waitsIn)
            waitedStates.insert(entry.first);
    }
    EXPECT_EQ(games, 8);
    EXPECT_GT(humanWon, 0);
    for (const int state : {StateBusy, StateTitle, StateSelect, StateDeckShow, StatePlayerTurn, StateRunning,
                            StateGameOver, StateEnding, StateEndScore, StateEndText})
        EXPECT_TRUE(stormedStates.count(state) == 1) << "no input arrived in state " << state;
    // The storm often answers a screen while it is still being painted, before its wait begins.
    for (const int state : {StateTitle, StateSelect, StatePlayerTurn, StateGameOver})
        EXPECT_TRUE(waitedStates.count(state) == 1) << "the game never waited in state " << state;
}

// The instruments themselves: a pop-up that wrongly hands the turn to seat 0 while the computer
// players move lets the storm start a second turn inside the first, and the depths show it.
TEST(InputStorm, WouldSeeANestedTurn)
{
    StormRun run(0, false, 1, 11);
    const auto onEvent = run.game.onEvent;
    run.game.onEvent = [&run, onEvent](int32_t eventIndex, const std::string& text, int32_t target,
                                       int32_t points) {
        onEvent(eventIndex, text, target, points);
        if (run.game.playerCtrl->standByDepth() > 0)
            run.game.GameState = StatePlayerTurn;
    };
    constexpr int NestedStatus = 98;
    const auto beforeInput = run.platform.beforeInput;
    run.platform.beforeInput = [&run, beforeInput] {
        beforeInput();
        if (run.maxStandByDepth > 1)
            run.game.Quit(NestedStatus);
    };
    run.Play();
    EXPECT_EQ(run.status, NestedStatus);
    EXPECT_EQ(run.maxStandByDepth, 2);
}

// Closing the window ends the program at once, in the middle of whatever runs: no further card,
// pop-up or wait for the player, and a clean exit status.
TEST(InputStorm, ClosingAtAnyMomentEndsTheProgramAtOnce)
{
    constexpr int Runs = 60;
    // A stormed game spends nearly all its time in the computer players' turns: a close at a random
    // moment alone would seldom find the short busy spells or the player's turn, so two runs in
    // three wait, after their moment, for an input that arrives in one of those states.
    constexpr std::array<int, 3> Targets = {-1, StateBusy, StatePlayerTurn};
    std::set<int> closedIn;
    for (uint64_t seed = 1; seed <= Runs; ++seed) {
        StormRun run(static_cast<int>(seed % 4), false, 1, seed);
        // Most of a stormed game's virtual time, end screens included.
        const uint32_t at = static_cast<uint32_t>(1000 + (seed * 104729) % 600000);
        const int target = Targets[seed % Targets.size()];
        bool closing = false;
        run.platform.beforeInput = [&run, at, target, &closing, storm = run.platform.beforeInput] {
            storm();
            if (!closing && static_cast<int32_t>(run.game.GetTickCount() - at) >= 0 &&
                (target < 0 || run.game.GameState == target)) {
                closing = true;
                run.platform.ScheduleAfter(0, InputEvent::Close());
            }
        };
        run.Play();
        SCOPED_TRACE("seed " + std::to_string(seed) + ", closed at " + std::to_string(at) + " ms");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.afterClose, 0);
        EXPECT_LE(run.maxStandByDepth, 1);
        EXPECT_LE(run.maxCommitDepth, 1);
        if (run.platform.Closed())
            closedIn.insert(run.platform.ClosedIn());
    }
    for (const int state : {StateBusy, StatePlayerTurn, StateRunning})
        EXPECT_EQ(closedIn.count(state), 1u) << "never closed in state " << state;
    std::string states;
    for (const int state : closedIn)
        states += " " + std::to_string(state);
    RecordProperty("closed_in", states);
}

} // namespace
