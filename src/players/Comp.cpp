#include "players/Comp.h"

#include "rules/Evaluator.h"
#include "rules/Lookahead.h"
#include "rules/Opponent.h"
#include "shell/Game.h"

namespace {

// Lines a strong player plays between two looks at the window: a few milliseconds of thinking, so
// that the window keeps repainting and the page keeps drawing while it thinks.
constexpr int LinesPerSlice = 16;

} // namespace

Comp::Comp(Game& game) : game_(game)
{
    game_.rng.Randomize(game_.GetTickCount());
}

int32_t Comp::Evaluate(int player, int slot, int position)
{
    return Evaluator(game_.rules).Evaluate(player, slot, position);
}

int32_t Comp::GetBestCard(int player)
{
    const int32_t best = Think(player, game_.rng);
    game_.DoEvents();
    return best;
}

int32_t Comp::Think(int player, Rng& rng)
{
    if (game_.lineup.seats[player] != Strength::Strong)
        return Opponent(game_.rules, game_.lineup).Choose(player, rng);
    Lookahead lookahead(game_.ruleTables, game_.match, player,
                        Opponent::DecisionSeed(game_.lineup, game_.match, player));
    while (!lookahead.Think(LinesPerSlice))
        game_.Breathe();
    return lookahead.Choice();
}

Comp::Move Comp::SuggestMove(int player) const
{
    Rng rng = game_.rng;
    return ToMove(player, Evaluator(game_.rules).Choose(player, rng));
}

Comp::Move Comp::AutopilotMove()
{
    Rng rng = game_.rng;
    return ToMove(0, Think(0, rng));
}

Comp::Move Comp::ToMove(int player, int32_t best) const
{
    Move move{best % 10, best / 10};
    const PlayerData& p = game_.match.players[player];
    if (!p.enableCard) {
        // The random pick may name an empty slot, which the hand cursor cannot reach: the card under
        // the cursor goes instead.
        if (p.handCard[move.slot] == NO_CARD)
            move.slot = p.currentCard;
        move.position = p.currentThread;
    }
    return move;
}
