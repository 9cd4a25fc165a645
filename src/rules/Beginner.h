#pragma once

#include "rules/Rules.h"

#include <cstdint>

class Rng;

// The weak computer player, a beginner with one plan: open a thread of his own whenever he can, feed
// his own threads with his biggest response cards, and otherwise play on the others' threads. He
// never looks at the scores or at what the others might do.
class Beginner {
public:
    explicit Beginner(const Rules& rules) : rules_(rules) {}

    // board position * 10 + hand slot, as Evaluator::Choose gives it; ties drawn from rng.
    int32_t Choose(int player, Rng& rng) const;

private:
    // Lower plays first: 0 a thread card, 1 a response on his own thread, 2 a response elsewhere,
    // 3 another card on another's thread, 4 on his own.
    int Tier(int player, int cardNo, int position) const;

    const Rules& rules_;
};
