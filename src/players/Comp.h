#pragma once

#include "players/PlayerCtrl.h"

#include <array>
#include <cstdint>

class Game;
class Rng;

// The computer player: scores every (hand slot, board position) pair with fixed weights and picks a
// best one at random.
class Comp {
public:
    explicit Comp(Game& game);

    // A choice of the computer player: the hand slot to play or throw away, and the board position.
    struct Move {
        int slot = 0;
        int position = 0;
    };

    // board position * 10 + hand slot
    int32_t GetBestCard(int player);
    // The move GetBestCard would choose now, drawn on a copy of the game's random source so that
    // asking changes nothing: a hint, and the autopilot's move. Without a playable card it names a
    // held card to throw away and the board position stays where it is.
    Move SuggestMove(int player) const;
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
    // Draws pairs from rng until a best one turns up; pumpEvents keeps a window answering meanwhile.
    int32_t Choose(int player, Rng& rng, bool pumpEvents) const;
    int32_t Rate(const Context& ctx, int slot, int position) const;
    int32_t RateResponse(const Context& ctx, int slot, int position) const;
    int32_t RateSpecial(const Context& ctx, int slot, int position) const;

    Game& game_;
};
