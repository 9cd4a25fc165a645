#pragma once

#include "platform/headless/HeadlessPlatform.h"
#include "shell/Game.h"

#include <memory>
#include <string>

class FontEngine;

// The fonts are loaded once for the whole test run: finding and opening them is the slow part.
FontEngine& SharedFonts();

// A game on the headless platform with small, plain data of its own: every test starts from the
// same known tables without touching the files beside the program.
struct TestGame {
    explicit TestGame(bool draw = true, uint64_t seed = 1, std::string appPath = "/nonexistent/");

    HeadlessPlatform platform;
    Game game;

    // 48 response definitions (1, 10, 50, 100 responses in turn; sizes 1..; colour 0; age), the nine
    // specials and the thread card, with one response text each; 50 special texts "special N";
    // a pool of 20 responses; 45 thread texts "thread N" with 20 responses each; the built-in names.
    void LoadFixtureData();
};

// A fresh empty folder under the system's temporary folder, ending in '/'.
std::string MakeTempDir();
