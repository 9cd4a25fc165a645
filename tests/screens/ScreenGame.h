#pragma once

#include "platform/KeyCodes.h"
#include "support/TestGame.h"

// A test game with every controller built and handed its pictures, as start-up does, but without
// data files and without showing the title: each test starts the screen it looks at.
struct ScreenGame {
    explicit ScreenGame(bool draw = true, uint64_t seed = 1);

    TestGame t;
    Game& game;
    HeadlessPlatform& platform;

    // Title as start-up leaves it (the zoom played).
    void ShowTitle();
    // Sends one key as the window would.
    void Key(int keyCode);
    // Runs until the program waits for input in the given state, or ends.
    // Returns false when the run ended (no more input) before getting there.
    bool RunUntilWaitIn(int state);
};
