#pragma once

#include "rules/Lineup.h"
#include "rules/Rules.h"
#include "rules/ThreadDeal.h"

#include <functional>

// Whole games on the model alone, four computer players and nothing shown: seat 0 plays as the
// program's autopilot does (a standard choice drawn on a copy of the random source, as the hint
// shows it), the others as the computer players. Thinking ahead plays copies of a state on
// with it.
class Playout {
public:
    // Called before a card takes effect or is discarded (after = false) and just after.
    using CommitHook = std::function<void(const CardPlay& play, bool after)>;

    // The lineup sets each seat's strength; by default four standard players.
    Playout(const RuleTables& tables, const ThreadLibrary& library, const Lineup& lineup = {})
        : tables_(tables), library_(library), lineup_(lineup)
    {
    }

    // Deals a game of mode from the state's random source, as the title and the selection start one
    // for the default name and colour; the opening threads are posted on date.
    void Deal(MatchState& state, int mode, int32_t date, Watcher* watcher = nullptr,
              const CommitHook& onCommit = {}) const;
    // Plays a dealt game on to its end.
    void Finish(MatchState& state, int32_t date, Watcher* watcher = nullptr,
                const CommitHook& onCommit = {}) const;
    // One turn: the next mover chooses and plays. False once the cards are out.
    bool Turn(Rules& rules, const CommitHook& onCommit = {}) const;

private:
    const RuleTables& tables_;
    const ThreadLibrary& library_;
    const Lineup lineup_;
};
