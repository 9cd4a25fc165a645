#include "rules/RuleTables.h"

namespace {

constexpr int RainbowFirst = 45;
constexpr int ColouredFirst = 93;
constexpr int SpecialFirst = 237;

// Card instances: 45 thread cards (15 of each colour), the 48 response definitions rainbow, then in
// each of the three colours, and the special cards.
int DefinitionOf(int cardNo)
{
    if (cardNo < ThreadCardCount)
        return ThreadCard;
    if (cardNo < ColouredFirst)
        return cardNo - RainbowFirst;
    if (cardNo < SpecialFirst)
        return (cardNo - ColouredFirst) % 48;
    return cardNo - 189;
}

// The god card's entry is the colour of the other special cards; a game sets its own.
int ColourOf(int cardNo)
{
    if (cardNo < ThreadCardCount)
        return cardNo / 15 + 1;
    if (cardNo < ColouredFirst)
        return 0;
    if (cardNo < SpecialFirst)
        return (cardNo - ColouredFirst) / 48 + 1;
    return 4;
}

} // namespace

RuleTables::RuleTables(const std::array<CardRecord, CardDefCount>& cardDefs,
                       const std::array<std::string, SpecialTextCount>& specialTexts)
    : cardDefs_(cardDefs), specialTexts_(specialTexts)
{
    for (int d = 0; d < CardDefCount; ++d) {
        running_[d] = cardDefs_[d].resWeight;
        for (int i = 1; i < 5; ++i)
            running_[d][i] += running_[d][i - 1];
    }
    for (int cardNo = 0; cardNo < CardInstances; ++cardNo) {
        CardFacts& f = facts_[cardNo];
        f.definition = DefinitionOf(cardNo);
        f.colour = ColourOf(cardNo);
        const CardRecord& def = cardDefs_[f.definition];
        f.resNum = def.resNum;
        f.size = def.Size;
        f.agesage = def.Agesage;
        f.family = FamilyOf(f.definition);
        f.response = IsResponseCard(f.definition);
    }
}

bool RuleTables::IsEmpty(const TextRef& text, const ThreadDeal& threads) const
{
    switch (text.kind) {
    case TextRef::Special:
        return specialTexts_[text.a].empty();
    case TextRef::CardRes:
        return cardDefs_[text.a].ResText[text.b].empty();
    case TextRef::ThreadRes:
        return ((threads.emptyMask[text.a] >> text.b) & 1) != 0;
    case TextRef::Position:
        return false;
    default:
        return true;
    }
}

std::string RuleTables::Text(const TextRef& text) const
{
    switch (text.kind) {
    case TextRef::Special:
        return specialTexts_[text.a];
    case TextRef::CardRes:
        return cardDefs_[text.a].ResText[text.b];
    case TextRef::Position:
        return " " + std::to_string(text.a);
    default:
        return {};
    }
}
