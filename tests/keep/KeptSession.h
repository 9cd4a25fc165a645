#pragma once

#include "keep/KeptGames.h"
#include "platform/FolderStore.h"
#include "platform/ReplayPlatform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/Autopilot.h"
#include "shell/Game.h"
#include "shell/GameReport.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// Whether a game's report line from a resumed start tells the same game as the line of the game played
// without a break: the same results, and the pop-ups since the resume the last ones of the whole game
// (the resumed program did not see those before the break).
testing::AssertionResult SameGameResumed(const std::string& resumedLine, const std::string& unbrokenLine);

// One start of the program with a profile folder, on the headless platform and the shipped data. The
// player presses keys through the window's input one at a time, so the game and its keeper cannot
// tell them from a person's: the autopilot's outside the turns, and in a turn the first playable
// card on the first thread it fits. Unlike the autopilot's choice, that takes nothing from the
// game's random generator, which a person's choice never does either.
struct KeptSession {
    // clock: the wall clock's first reading; it goes on a second with every reading.
    // games: the program ends on the title after that many finished games.
    KeptSession(const std::string& profile, uint64_t seed, bool draw, std::time_t clock = 1800000000,
                int games = 1);

    // What the player does at an input wait before the autopilot's key: false presses nothing more,
    // and the run ends there as if killed.
    std::function<bool(int state)> beforeKey;
    // Every pop-up, as it opens.
    std::function<void(int32_t eventIndex)> onPopUp;
    // Cards the player has committed in this run.
    int commits = 0;

    // Starts the program and plays until nothing more is pressed or the program ends. newGame: as
    // --new-game.
    void Play(bool newGame = false);
    std::vector<uint32_t> Screen() const;

    HeadlessPlatform headless;
    ReplayPlatform replay{headless};
    FolderStore store;
    Game game;
    std::ostringstream lines;
    GameReport report;
    std::ostringstream messages;
    Autopilot pilot;

private:
    void Press(int state);
    int TurnKey();

    bool haveTarget_ = false;
    int targetSlot_ = 0;
    int targetPosition_ = 0;
};
