#pragma once

#include "rules/Happening.h"
#include "rules/MatchState.h"
#include "rules/Playout.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class RuleTables;
struct ThreadLibrary;

// The simulator's games played on the rules alone, without screens, pauses or a platform: the
// same seed and mode give the same games, card lines and game lines as the program's autoplay.
class ModelSimulator : private Watcher {
public:
    // Seeds the random source and names the players as the program's start-up does.
    ModelSimulator(const RuleTables& tables, const ThreadLibrary& library, uint64_t seed);

    // Deals and plays one game of mode (GameMode bits) on to its end, its responses posted on date
    // (local calendar minutes); writes a line per card to trace (may be null) and returns the game's
    // line.
    std::string PlayGame(int mode, int32_t date, std::ostream* trace);

    const MatchState& State() const { return state_; }

private:
    void Happened(const Happening& happening) override;
    void OnCommit(const CardPlay& play, bool after);

    const RuleTables& tables_;
    Playout playout_;
    uint64_t seed_;
    MatchState state_;
    int games_ = 0;
    std::ostream* trace_ = nullptr;
    std::vector<Happening> happenings_;
    // The card being committed: the board it found and its first happening.
    BoardState before_;
    size_t firstOfCard_ = 0;
};
