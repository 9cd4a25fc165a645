#pragma once

#include "players/PlayerCtrl.h"

#include <array>
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
    // What one choice reads once before scoring its 120 pairs.
    struct Context {
        int player = 0;
        EnableArray enable{};
        int32_t threadCount = 0;
        int32_t threadMax = 0;
        int32_t lastOwner = -1;
        std::array<bool, 4> leader{};
        std::array<int32_t, 5> colourCount{};
    };

    Context Gather(int player) const;
    int32_t Rate(const Context& ctx, int slot, int position) const;
    int32_t RateResponse(const Context& ctx, int slot, int position) const;
    int32_t RateSpecial(const Context& ctx, int slot, int position) const;

    Game& game_;
};
