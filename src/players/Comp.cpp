#include "players/Comp.h"

#include "board/CardFamily.h"
#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "shell/Game.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t Unplayable = std::numeric_limits<int32_t>::min();
constexpr int32_t LeaderBonus = 5;

} // namespace

Comp::Comp(Game& game) : game_(game)
{
    game_.rng.Randomize(game_.GetTickCount());
}

Comp::Context Comp::Gather(int player) const
{
    Context ctx;
    ctx.player = player;
    game_.playerCtrl->CopyEnableArray(player, ctx.enable);
    ThreadCtrl& board = *game_.threadCtrl;
    ctx.threadCount = board.GetThreadCount();
    ctx.threadMax = board.GetThreadMax();
    ctx.lastOwner = ctx.threadCount > 0 ? board.GetThread(ctx.threadCount - 1).owner() : -1;
    for (int i = 0; i < 4; ++i)
        ctx.leader[i] = i != player && game_.score->GetRank(i) == 1;
    for (int t = 0; t < ctx.threadCount; ++t) {
        const int32_t colour = board.GetThread(t).Color();
        if (colour >= 1 && colour <= 3)
            ++ctx.colourCount[colour];
    }
    return ctx;
}

int32_t Comp::Evaluate(int player, int slot, int position)
{
    return Rate(Gather(player), slot, position);
}

int32_t Comp::Rate(const Context& ctx, int slot, int position) const
{
    if (!ctx.enable[slot][position])
        return Unplayable;
    const int32_t cardNo = game_.playerCtrl->GetPlayerCardIndex(ctx.player, slot);
    if (IsResponseCard(game_.cardCtrl->GetCard(cardNo).cardIndex()))
        return RateResponse(ctx, slot, position);
    return RateSpecial(ctx, slot, position);
}

int32_t Comp::RateResponse(const Context& ctx, int slot, int position) const
{
    const Card& card = game_.cardCtrl->GetCard(game_.playerCtrl->GetPlayerCardIndex(ctx.player, slot));
    Thread& thread = game_.threadCtrl->GetThread(position);
    const bool isMine = thread.owner() == ctx.player;
    const int32_t owner = thread.owner();
    const int32_t leaderBonus = owner >= 0 && owner < 4 && ctx.leader[owner] ? LeaderBonus : 0;
    const int32_t d = (thread.resNum() + card.resNum()) / 10;

    int32_t score = 0;
    switch (d % 10) {
    case 0:
        score += thread.browserCrash() == 1 ? 350 : thread.browserCrash() == 3 ? -1000 : 300;
        break;
    case 1:
    case 3:
    case 5:
    case 7:
        score += 30;
        break;
    case 2:
    case 4:
        score += 10;
        break;
    default:
        score -= 10;
        break;
    }
    if (d == 100)
        score += 800;
    if (thread.Size() + card.Size() >= 512)
        score += (isMine ? -1000 : 150) + leaderBonus;
    if (card.cardColor() == 0)
        score += isMine ? -100 : 10;
    else
        score += isMine ? 70 : 0;
    if (card.resNum() >= 160)
        score += isMine ? 50 : -180;

    switch (FamilyOf(card.cardIndex())) {
    case CardFamily::SecondPost:
        if (thread.resNum() == 1)
            score += isMine ? 500 : 450;
        else
            score += isMine ? -250 : -400;
        break;
    case CardFamily::Festival:
        score += isMine ? 150 : -1000;
        break;
    case CardFamily::CalmDown:
        if (thread.FestaFlag() != 0 || thread.IkusaFlag())
            score += isMine ? -200 : 100;
        else
            score += isMine ? 0 : -100;
        break;
    case CardFamily::GoodThread:
        if (thread.JudgeFlag() != 0)
            score += isMine ? 0 : -100;
        else
            score += isMine ? 50 : -500;
        score -= leaderBonus;
        break;
    case CardFamily::BadThread:
        if (thread.JudgeFlag() != 0)
            score += isMine ? 50 : 0;
        else
            score += isMine ? -150 : 200;
        score += leaderBonus;
        break;
    case CardFamily::Sage:
        score += (isMine ? -150 : 100) + leaderBonus;
        break;
    case CardFamily::ThousandRace:
        if (thread.resNum() >= 620)
            score += isMine ? 100 : 10;
        else
            score += isMine ? -100 : -300;
        score -= leaderBonus;
        break;
    default:
        score += (isMine ? 50 : 0) - leaderBonus;
        break;
    }
    if (ctx.lastOwner == ctx.player)
        score += 50;
    return score;
}

int32_t Comp::RateSpecial(const Context& ctx, int slot, int position) const
{
    const Card& card = game_.cardCtrl->GetCard(game_.playerCtrl->GetPlayerCardIndex(ctx.player, slot));
    Thread& thread = game_.threadCtrl->GetThread(position);
    const bool isMine = thread.owner() == ctx.player;
    const int32_t owner = thread.owner();
    const int32_t leaderBonus = owner >= 0 && owner < 4 && ctx.leader[owner] ? LeaderBonus : 0;
    const bool lastIsMine = ctx.lastOwner == ctx.player;

    switch (FamilyOf(card.cardIndex())) {
    case CardFamily::Descent:
        return (isMine ? 90 : -1000) - leaderBonus;
    case CardFamily::TrueStopper:
        return (isMine ? -1000 : -40) + leaderBonus;
    case CardFamily::AccessBan:
        return (isMine ? -1000 : 0) + leaderBonus;
    case CardFamily::CapacityUp:
        return lastIsMine ? 0 : -200;
    case CardFamily::CapacityDown:
        return lastIsMine ? -1000 : 140;
    case CardFamily::Delete:
        return (isMine ? -1000 : -50) + leaderBonus;
    case CardFamily::Abone:
        if (thread.Size() >= 300)
            return isMine ? 150 : -1000;
        return isMine ? -200 : -1000;
    case CardFamily::Troll:
        return (4 - game_.score->GetRank(ctx.player)) * 50;
    default: // the thread card
        if (position != 0)
            return -1000;
        if (ctx.threadCount == ctx.threadMax && ctx.lastOwner >= 0) {
            if (lastIsMine)
                return -1000;
            return 170 - 2 * game_.score->GetRank(ctx.lastOwner);
        }
        return 75 - ctx.colourCount[card.cardColor()];
    }
}

int32_t Comp::GetBestCard(int player)
{
    return Choose(player, game_.rng, true);
}

Comp::Move Comp::SuggestMove(int player) const
{
    Rng rng = game_.rng;
    const int32_t best = Choose(player, rng, false);
    Move move{best % 10, best / 10};
    const PlayerCtrl& players = *game_.playerCtrl;
    if (!players.IsEnableCard(player)) {
        // The random pick may name an empty slot, which the hand cursor cannot reach: the card under
        // the cursor goes instead.
        if (players.GetPlayerCardIndex(player, move.slot) == NO_CARD)
            move.slot = players.GetCurrentCard(player);
        move.position = players.GetCurrentThread(player);
    }
    return move;
}

int32_t Comp::Choose(int player, Rng& rng, bool pumpEvents) const
{
    const Context ctx = Gather(player);
    std::array<std::array<int32_t, 12>, 10> scores{};
    int32_t best = Unplayable;
    for (int slot = 0; slot < 10; ++slot) {
        for (int position = 0; position < 12; ++position) {
            scores[slot][position] = Rate(ctx, slot, position);
            best = std::max(best, scores[slot][position]);
        }
    }

    if (!game_.playerCtrl->IsEnableCard(player))
        return rng.Below(10);
    // Drawing pairs at random until a best one turns up gives every best pair the same chance.
    for (;;) {
        const int slot = rng.Below(10);
        const int position = rng.Below(12);
        if (pumpEvents)
            game_.DoEvents();
        if (scores[slot][position] == best && ctx.enable[slot][position])
            return position * 10 + slot;
    }
}
