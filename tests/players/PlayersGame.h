#pragma once

#include "platform/headless/HeadlessPlatform.h"
#include "shell/Game.h"

#include <functional>

class PlayerCtrl;
class CardCtrl;

// The headless platform, telling the test about every picture shown: the turn flow shows the board
// after every move, so a test can look at the game between moves.
class WatchedPlatform : public HeadlessPlatform {
public:
    void Present(const Picture& picture) override;

    std::function<void()> onPresent;
};

// A game with the fixture tables of TestGame and every controller a game needs, handed its pictures
// as start-up does; no sound and no screens (the end of a game stops after the game-over wait).
struct PlayersGame {
    explicit PlayersGame(bool draw = false, uint64_t seed = 1);

    WatchedPlatform platform;
    Game game;

    PlayerCtrl& players() { return *game.playerCtrl; }
    CardCtrl& cards() { return *game.cardCtrl; }

    // Character choice, new board and piles, the deal and the four opening threads, as the
    // selection screen starts a game.
    void StartGame(int mode);
    // Lets the computer player choose for seat 0 too and commits that choice.
    bool PlayHumanAsComputer();
};
