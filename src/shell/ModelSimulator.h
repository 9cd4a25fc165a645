#pragma once

#include "rules/Happening.h"
#include "rules/Lineup.h"
#include "rules/MatchState.h"
#include "rules/Playout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class RuleTables;
struct ThreadLibrary;

// The simulator's games played on the rules alone, without screens, pauses or a platform: the
// same seed and mode give the same games, card lines and game lines as the program's autoplay.
class ModelSimulator : private Watcher {
public:
    // Seeds the random source and names the players as the program's start-up does; seats are the
    // strengths the command line gives (standard where it gives none).
    ModelSimulator(const RuleTables& tables, const ThreadLibrary& library, uint64_t seed,
                   const std::array<std::optional<Strength>, PlayerCount>& seats = {});

    // Deals and plays one game of mode (GameMode bits) on to its end, its responses posted on date
    // (local calendar minutes); writes a line per card to trace (may be null) and returns the game's
    // line.
    std::string PlayGame(int mode, int32_t date, std::ostream* trace);

    const MatchState& State() const { return state_; }

private:
    void Happened(const Happening& happening) override;
    void OnCommit(const CardPlay& play, bool after);

    const RuleTables& tables_;
    const ThreadLibrary& library_;
    const std::array<std::optional<Strength>, PlayerCount> seats_;
    uint64_t seed_;
    MatchState state_;
    int games_ = 0;
    std::ostream* trace_ = nullptr;
    std::vector<Happening> happenings_;
    // The card being committed: the board it found and its first happening.
    BoardState before_;
    size_t firstOfCard_ = 0;
};
