#include "rules/Evaluator.h"

#include "rules/CardFamily.h"

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
    for (int i = 0; i < PlayerCount; ++i)
        ctx.leader[i] = i != player && s.scores[i].rank == 1;
    for (int t = 0; t < ctx.threadCount; ++t) {
        const int32_t colour = rules_.ThreadAt(t).color;
        if (colour >= 1 && colour <= 3)
            ++ctx.colourCount[colour];
    }
    return ctx;
}

int32_t Evaluator::Evaluate(int player, int slot, int position) const
{
    return Rate(Gather(player), slot, position);
}

int32_t Evaluator::Rate(const Context& ctx, int slot, int position) const
{
    const PlayerData& p = rules_.State().players[ctx.player];
    if (!p.enable[position][slot])
        return Unplayable;
    const int32_t cardNo = p.handCard[slot];
    const CardFacts& card = rules_.Tables().Facts(cardNo);
    if (card.response)
        return RateResponse(ctx, cardNo, card, position);
    return RateSpecial(ctx, cardNo, card, position);
}

int32_t Evaluator::RateResponse(const Context& ctx, int cardNo, const CardFacts& card, int position) const
{
    const ThreadState& thread = rules_.ThreadAt(position);
    const int32_t cardRes = card.resNum;
    const int32_t cardColour = rules_.CardColour(cardNo);
    const bool isMine = thread.owner == ctx.player;
    const int32_t owner = thread.owner;
    const int32_t leaderBonus = owner >= 0 && owner < 4 && ctx.leader[owner] ? LeaderBonus : 0;
    const int32_t d = (thread.resNum + cardRes) / 10;

    int32_t score = 0;
    switch (d % 10) {
    case 0:
        score += thread.browserCrash == 1 ? 350 : thread.browserCrash == 3 ? -1000 : 300;
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

int32_t Evaluator::RateSpecial(const Context& ctx, int cardNo, const CardFacts& card, int position) const
{
    const MatchState& s = rules_.State();
    const ThreadState& thread = rules_.ThreadAt(position);
    const bool isMine = thread.owner == ctx.player;
    const int32_t owner = thread.owner;
    const int32_t leaderBonus = owner >= 0 && owner < 4 && ctx.leader[owner] ? LeaderBonus : 0;
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
        return 75 - ctx.colourCount[rules_.CardColour(cardNo)];
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
        const int32_t cardNo = p.handCard[slot];
        for (; playable != 0; playable &= playable - 1) {
            const int position = std::countr_zero(playable);
            const CardFacts& card = rules_.Tables().Facts(cardNo);
            const int32_t score = card.response ? RateResponse(ctx, cardNo, card, position)
                                                : RateSpecial(ctx, cardNo, card, position);
            if (score > best) {
                best = score;
                bestAt.fill(0);
            }
            if (score == best)
                bestAt[slot] |= 1U << position;
        }
    }
    // Drawing pairs at random until a best one turns up gives every best pair the same chance.
    for (;;) {
        const int slot = rng.Below(10);
        const int position = rng.Below(12);
        if (((bestAt[slot] >> position) & 1U) != 0)
            return position * 10 + slot;
    }
}
