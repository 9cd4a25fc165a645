#include "players/Comp.h"

#include "rules/Evaluator.h"
#include "shell/Game.h"

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
    const int32_t best = Evaluator(game_.rules).Choose(player, game_.rng);
    game_.DoEvents();
    return best;
}

Comp::Move Comp::SuggestMove(int player) const
{
    Rng rng = game_.rng;
    const int32_t best = Evaluator(game_.rules).Choose(player, rng);
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
