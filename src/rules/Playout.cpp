#include "rules/Playout.h"

#include "rules/Opponent.h"

void Playout::Deal(MatchState& state, int mode, int32_t date, Watcher* watcher,
                   const CommitHook& onCommit) const
{
    Rules rules(tables_, state);
    rules.Watch(watcher);
    rules.CharacterInit(0, 0);
    state.GameMode = mode;
    rules.BeginDeal();
    rules.DealCards(DealThreads(state.rng, library_));
    if ((mode & ModeDeck) != 0)
        rules.ShowDeck(0);
    rules.DealHands();
    const std::array<int, 4> order = rules.OpeningOrder();
    for (int q : order) {
        const CardPlay play{q, 0, state.players[q].handCard[0], 0, false};
        if (onCommit)
            onCommit(play, false);
        rules.OpenThread(q, date);
        if (onCommit)
            onCommit(play, true);
    }
    for (int q : order)
        rules.DrawOpening(q);
    state.LastCardWait = 0;
    state.players[0].currentThread = 0;
}

void Playout::Finish(MatchState& state, int32_t date, Watcher* watcher, const CommitHook& onCommit) const
{
    Rules rules(tables_, state);
    rules.Watch(watcher);
    rules.PostDate(date);
    while (Turn(rules, onCommit)) {
    }
    rules.FinishBoard();
    rules.LiftBans();
}

bool Playout::Turn(Rules& rules, const CommitHook& onCommit) const
{
    if (rules.CardsOut())
        return false;
    MatchState& state = rules.State();
    const int cur = rules.NextMover();
    rules.BeginTurn(cur);
    // A banned player's lost card may have been the last of the game: a computer player whose turn
    // came still plays, but seat 0 is never asked, the game ends first.
    if (cur == 0 && rules.CardsOut())
        return false;
    PlayerData& p = state.players[cur];
    const Opponent opponent(rules, lineup_);
    if (cur != 0) {
        const int32_t best = opponent.Choose(cur, state.rng);
        while (p.currentThread != best / 10)
            rules.MoveCurrentThread(cur, 1);
        // The walk skips empty slots, so on a short hand it may never reach the slot: bounded.
        for (int step = 0; step < 10 && p.currentCard != best % 10; ++step)
            rules.MoveCurrentCard(cur, 1);
    } else {
        Rng look = state.rng;
        const int32_t best = opponent.Choose(0, look);
        // Without a playable card the board cursor stays, and a pick of an empty slot leaves the
        // card under the cursor to go.
        if (p.enableCard)
            p.currentThread = best / 10;
        if (p.enableCard || p.handCard[best % 10] != NO_CARD)
            p.currentCard = best % 10;
    }
    const std::optional<CardPlay> play = rules.PlayAtCursor(cur);
    if (play) {
        if (onCommit)
            onCommit(*play, false);
        rules.Resolve(*play);
        if (onCommit)
            onCommit(*play, true);
        rules.Replenish(*play);
    }
    if (cur == 0)
        p.currentThread = 0;
    return true;
}
