#pragma once

#include "rules/MatchState.h"
#include "rules/Rng.h"
#include "rules/RuleTables.h"
#include "rules/ThreadDeal.h"

#include <cstdint>
#include <vector>

// The strong computer player: thinks ahead on copies of the game. Each sample deals the cards its
// seat cannot see (the others' hands, the pile or the others' decks, the order of its own deck, which
// threads are traps) at random among the places they could be, consistent with everything the seat
// has seen; every candidate move is then played on that sample to the end of the game by standard
// players, and the move that does best over all samples is chosen. The work is counted in lines
// played, never in time, so a seeded game repeats exactly on any machine; it can be done a slice
// at a time.
class Lookahead {
public:
    // Samples of the unseen cards, and the candidates the standard evaluation ranks highest.
    static constexpr int Samples = 24;
    static constexpr int MaxCandidates = 8;

    // state is the game as the seat's turn begins (its playable cards worked out); seed is this
    // decision's own.
    Lookahead(const RuleTables& tables, const MatchState& state, int player, uint64_t seed);

    // Plays up to `lines` more lines; true once the choice is made.
    bool Think(int lines);
    bool Done() const { return candidates_.size() <= 1 || sample_ == Samples; }
    // board position * 10 + hand slot, as Evaluator::Choose gives it.
    int32_t Choice() const;
    // What each candidate has scored so far, best-rated first: shows what the thinking rests on.
    std::vector<int64_t> Worths() const;

private:
    struct Candidate {
        int slot = 0;
        int position = 0;
        int64_t value = 0;
    };

    void FindCandidates();
    // The next sample of what the seat cannot see, into sampled_.
    void Sample();
    void ShuffleUnseenCards();
    void ShuffleTraps();
    int64_t PlayLine(const Candidate& candidate) const;
    // What a finished game is worth to the seat: first place above all (a shared one split), then
    // the rank, then the lead in points.
    int64_t Worth(const MatchState& end) const;

    const RuleTables& tables_;
    const ThreadLibrary noThreads_;
    MatchState root_;
    const int player_;
    Rng rng_;
    MatchState sampled_;
    uint64_t lineSeed_ = 0;
    std::vector<Candidate> candidates_;
    int sample_ = 0;
    int next_ = 0;
};
