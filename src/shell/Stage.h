#pragma once

#include "rules/Happening.h"

class Game;

// Shows what the rules do the moment they do it: a pop-up over the board of that moment, the board
// cleared thread by thread, the wait bars counting down.
class Stage : public Watcher {
public:
    explicit Stage(Game& game) : game_(game) {}

    void Happened(const Happening& happening) override;

private:
    Game& game_;
};
