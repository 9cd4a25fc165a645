#pragma once

#include "rules/Lineup.h"
#include "rules/Rules.h"

#include <cstdint>

class Rng;

// The computer player of a seat, of the strength the lineup gives it.
class Opponent {
public:
    Opponent(const Rules& rules, const Lineup& lineup) : rules_(rules), lineup_(lineup) {}

    // board position * 10 + hand slot, as Evaluator::Choose gives it. The standard player draws from
    // rng (the game's source, or a copy of it for the autopilot's seat); the others never touch it
    // and draw from their own. A strong player thinks here to the end of its decision.
    int32_t Choose(int player, Rng& rng) const;
    // The seed of the decision the seat makes now: one of its own for every turn of every seat.
    static uint64_t DecisionSeed(const Lineup& lineup, const MatchState& state, int player);

private:
    const Rules& rules_;
    const Lineup& lineup_;
};
