#include "rules/Beginner.h"

#include "rules/Rng.h"

#include <vector>

int Beginner::Tier(int player, int cardNo, int position) const
{
    const CardFacts& card = rules_.Tables().Facts(cardNo);
    const bool own = rules_.ThreadAt(position).owner == player;
    if (card.response)
        return own ? 1 : 2;
    if (cardNo < ThreadCardCount)
        return 0;
    return own ? 4 : 3;
}

int32_t Beginner::Choose(int player, Rng& rng) const
{
    const PlayerData& p = rules_.State().players[player];
    std::vector<int32_t> picks;
    if (!p.enableCard) {
        // Nothing fits: any card he holds goes.
        for (int slot = 0; slot < HandSlots; ++slot) {
            if (p.handCard[slot] != NO_CARD)
                picks.push_back(slot);
        }
        return picks.empty() ? 0 : picks[rng.Below(static_cast<int>(picks.size()))];
    }
    int bestTier = 5;
    int32_t bestRes = -1;
    for (int slot = 0; slot < HandSlots; ++slot) {
        const int32_t cardNo = p.handCard[slot];
        for (int position = 0; position < BoardPositions; ++position) {
            if (!p.enable[position][slot])
                continue;
            const int tier = Tier(player, cardNo, position);
            const int32_t res = rules_.CardResNum(cardNo);
            if (tier < bestTier || (tier == bestTier && res > bestRes)) {
                bestTier = tier;
                bestRes = res;
                picks.clear();
            }
            if (tier == bestTier && res == bestRes)
                picks.push_back(position * 10 + slot);
        }
    }
    return picks[rng.Below(static_cast<int>(picks.size()))];
}
