#pragma once

#include <cstdint>

class Game;

// The computer player: scores every (hand slot, board position) pair with fixed weights and picks a
// best one at random.
class Comp {
public:
    explicit Comp(Game& game);

    // board position * 10 + hand slot
    int32_t GetBestCard(int player);
    // The score of one pair, as GetBestCard ranks them.
    int32_t Evaluate(int player, int slot, int position);

private:
    Game& game_;
};
