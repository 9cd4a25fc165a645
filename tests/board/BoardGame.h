#pragma once

#include "board/ThreadCtrlProbe.h"
#include "support/TestGame.h"

#include <string>
#include <vector>

// A board with every controller it talks to, on the fixture tables, recording the pop-ups it raises.
struct BoardGame {
    struct Raised {
        int32_t id;
        std::string text;
        int32_t target;
        int32_t score;
    };

    explicit BoardGame(bool draw = false);

    // Opens a thread of the colour for the player with the next unused thread card; returns its number.
    int Open(int player, int colour, int mark = 0);
    // Opens count threads of colours 1, 2, 3, 4, 1 ... for players 0, 1, 2, 3, 0 ...
    void OpenMany(int count);
    // Plays a card of the definition in the colour (specials come in colour 4) on a position.
    void Play(int def, int colour, int position, int player);
    // Gives the thread at a position a response count and size as if it had grown by play.
    void Grow(int position, int32_t resNum, int32_t size);

    std::vector<int32_t> EventIds() const;
    // Every board position holds a different slot.
    bool OrderIsPermutation() const;

    TestGame t;
    Game& game;
    ThreadCtrl& board;
    ThreadCtrlProbe probe;
    std::vector<Raised> events;
    std::array<int, 3> nextThreadCard{};
};
