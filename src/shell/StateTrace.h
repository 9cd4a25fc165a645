#pragma once

#include "rules/Happening.h"
#include "rules/MatchState.h"

#include <cstdint>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

class Rules;

// The simulator's two kinds of JSON line made from the rules' state alone: one per card that takes
// effect or is discarded, one per finished game. Whoever plays the game (the screens or a bare
// playout) writes the same lines for the same game, so the two can be compared byte for byte.
class StateTrace {
public:
    // game counts from 1; before is the board as the card found it; happenings are those between
    // the card's commit and its effect being done, in order.
    static std::string CardLine(int game, const CardPlay& play, const BoardState& before, const Rules& rules,
                                std::span<const Happening> happenings);
    // The line of a game played to its end; happenings are all of the game's, in order.
    static std::string GameLine(int game, uint64_t seed, const MatchState& state,
                                std::span<const Happening> happenings);

    // The board listed by slot, as its order refers to them.
    static nlohmann::ordered_json BoardJson(const BoardState& board);
};
