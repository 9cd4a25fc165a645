#pragma once

#include "rules/Rules.h"

#include <array>
#include <cstdint>

class Rng;

// The computer player: scores every (hand slot, board position) pair with fixed weights and picks a
// best one at random. It reads the state through the rules and changes nothing but the random
// source it is given.
class Evaluator {
public:
    explicit Evaluator(const Rules& rules) : rules_(rules) {}

    // board position * 10 + hand slot. Without a playable card, a slot drawn at random (which may
    // be empty).
    int32_t Choose(int player, Rng& rng) const;
    // The score of one pair, as Choose ranks them.
    int32_t Evaluate(int player, int slot, int position) const;

private:
    // One board position as the ratings see it.
    struct Spot {
        const ThreadState* thread = nullptr;
        bool mine = false;
        // Paid for hurting, or taken off for helping, a thread of the leader's.
        int32_t leaderBonus = 0;
    };
    // What one choice reads once before scoring its 120 pairs.
    struct Context {
        int player = 0;
        int32_t threadCount = 0;
        int32_t threadMax = 0;
        int32_t lastOwner = -1;
        std::array<int32_t, 5> colourCount{};
        std::array<Spot, BoardPositions> spots{};
    };

    Context Gather(int player) const;
    int32_t Rate(const Context& ctx, int cardNo, int position) const;
    int32_t RateResponse(const Context& ctx, int32_t cardColour, const CardFacts& card, int position) const;
    int32_t RateSpecial(const Context& ctx, int32_t cardColour, const CardFacts& card, int position) const;

    const Rules& rules_;
};
