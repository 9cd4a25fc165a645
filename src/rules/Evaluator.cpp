#include "rules/Evaluator.h"

#include "rules/CardFamily.h"
#include "rules/Rng.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace {

constexpr int32_t Unplayable = std::numeric_limits<int32_t>::min();
constexpr int32_t LeaderBonus = 5;

} // namespace

Evaluator::Context Evaluator::Gather(int player) const
{
    const MatchState& s = rules_.State();
    Context ctx;
    ctx.player = player;
    ctx.threadCount = s.board.threadCount;
    ctx.threadMax = s.board.threadMax;
    ctx.lastOwner = ctx.threadCount > 0 ? rules_.ThreadAt(ctx.threadCount - 1).owner : -1;
    for (int t = 0; t < ctx.threadCount; ++t) {
        const int32_t colour = rules_.ThreadAt(t).color;
        if (colour >= 1 && colour <= 3)
            ++ctx.colourCount[colour];
    }
    std::array<int32_t, PlayerCount> leaderBonus{};
    for (int i = 0; i < PlayerCount; ++i)
        leaderBonus[i] = i != player && s.scores[i].rank == 1 ? LeaderBonus : 0;
    for (int position = 0; position < BoardPositions; ++position) {
        Spot& spot = ctx.spots[position];
        spot.thread = &rules_.ThreadAt(position);
        const int32_t owner = spot.thread->owner;
        spot.mine = owner == player;
        spot.leaderBonus = owner >= 0 && owner < PlayerCount ? leaderBonus[owner] : 0;
    }
    return ctx;
}

int32_t Evaluator::Evaluate(int player, int slot, int position) const
{
    const PlayerData& p = rules_.State().players[player];
    if (!p.enable[position][slot])
        return Unplayable;
    return Rate(Gather(player), p.handCard[slot], position);
}

int32_t Evaluator::Rate(const Context& ctx, int cardNo, int position) const
{
    const CardFacts& card = rules_.Tables().Facts(cardNo);
    const int32_t colour = rules_.CardColour(cardNo);
    if (card.response)
        return RateResponse(ctx, colour, card, position);
    return RateSpecial(ctx, colour, card, position);
}

int32_t Evaluator::RateResponse(const Context& ctx, int32_t cardColour, const CardFacts& card,
                                int position) const
{
    const Spot& spot = ctx.spots[position];
    const ThreadState& thread = *spot.thread;
    const int32_t cardRes = card.resNum;
    const bool isMine = spot.mine;
    const int32_t leaderBonus = spot.leaderBonus;
    const int32_t d = (thread.resNum + cardRes) / 10;

    // What the tens digit of the count after the card pays: a round hundred most.
    static constexpr std::array<int32_t, 10> TensScore{300, 30, 10, 30, 10, 30, -10, 30, -10, -10};
    const int32_t tens = d % 10;
    int32_t score = tens >= 0 ? TensScore[tens] : -10;
    if (tens == 0 && thread.browserCrash != 0)
        score = thread.browserCrash == 1 ? 350 : thread.browserCrash == 3 ? -1000 : 300;
    if (d == 100)
        score += 800;
    if (thread.size + card.size >= 512)
        score += (isMine ? -1000 : 150) + leaderBonus;
    if (cardColour == 0)
        score += isMine ? -100 : 10;
    else
        score += isMine ? 70 : 0;
    if (cardRes >= 160)
        score += isMine ? 50 : -180;

    switch (card.family) {
    case CardFamily::SecondPost:
        if (thread.resNum == 1)
            score += isMine ? 500 : 450;
        else
            score += isMine ? -250 : -400;
        break;
    case CardFamily::Festival:
        score += isMine ? 150 : -1000;
        break;
    case CardFamily::CalmDown:
        if (thread.festaFlag != 0 || thread.ikusaFlag)
            score += isMine ? -200 : 100;
        else
            score += isMine ? 0 : -100;
        break;
    case CardFamily::GoodThread:
        if (thread.judgeFlag != 0)
            score += isMine ? 0 : -100;
        else
            score += isMine ? 50 : -500;
        score -= leaderBonus;
        break;
    case CardFamily::BadThread:
        if (thread.judgeFlag != 0)
            score += isMine ? 50 : 0;
        else
            score += isMine ? -150 : 200;
        score += leaderBonus;
        break;
    case CardFamily::Sage:
        score += (isMine ? -150 : 100) + leaderBonus;
        break;
    case CardFamily::ThousandRace:
        if (thread.resNum >= 620)
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

int32_t Evaluator::RateSpecial(const Context& ctx, int32_t cardColour, const CardFacts& card,
                               int position) const
{
    const MatchState& s = rules_.State();
    const Spot& spot = ctx.spots[position];
    const ThreadState& thread = *spot.thread;
    const bool isMine = spot.mine;
    const int32_t leaderBonus = spot.leaderBonus;
    const bool lastIsMine = ctx.lastOwner == ctx.player;

    switch (card.family) {
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
        if (thread.size >= 300)
            return isMine ? 150 : -1000;
        return isMine ? -200 : -1000;
    case CardFamily::Troll:
        return (4 - s.scores[ctx.player].rank) * 50;
    default: // the thread card
        if (position != 0)
            return -1000;
        if (ctx.threadCount == ctx.threadMax && ctx.lastOwner >= 0) {
            if (lastIsMine)
                return -1000;
            return 170 - 2 * s.scores[ctx.lastOwner].rank;
        }
        return 75 - ctx.colourCount[cardColour];
    }
}

int32_t Evaluator::Choose(int player, Rng& rng) const
{
    const PlayerData& p = rules_.State().players[player];
    if (!p.enableCard)
        return rng.Below(10);
    const Context ctx = Gather(player);
    // The best pairs of each slot, a bit for each position.
    std::array<uint32_t, HandSlots> bestAt{};
    int32_t best = Unplayable;
    for (int slot = 0; slot < HandSlots; ++slot) {
        uint32_t playable = 0;
        for (int position = 0; position < BoardPositions; ++position)
            playable |= static_cast<uint32_t>(p.enable[position][slot]) << position;
        if (playable == 0)
            continue;
        const int32_t cardNo = p.handCard[slot];
        const CardFacts& card = rules_.Tables().Facts(cardNo);
        const int32_t colour = rules_.CardColour(cardNo);
        for (; playable != 0; playable &= playable - 1) {
            const int position = std::countr_zero(playable);
            const int32_t score = card.response ? RateResponse(ctx, colour, card, position)
                                                : RateSpecial(ctx, colour, card, position);
            if (score > best) {
                best = score;
                bestAt.fill(0);
            }
            if (score == best)
                bestAt[slot] |= 1U << position;
        }
    }
    // Drawing pairs at random until a best one turns up gives every best pair the same chance.
    const Rng::Cell pick = rng.DrawUntilSet(bestAt, BoardPositions);
    return pick.column * 10 + pick.row;
}
