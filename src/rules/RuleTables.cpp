#include "rules/RuleTables.h"

RuleTables::RuleTables(const std::array<CardRecord, CardDefCount>& cardDefs,
                       const std::array<std::string, SpecialTextCount>& specialTexts)
    : cardDefs_(cardDefs), specialTexts_(specialTexts)
{
    for (int d = 0; d < CardDefCount; ++d) {
        running_[d] = cardDefs_[d].resWeight;
        for (int i = 1; i < 5; ++i)
            running_[d][i] += running_[d][i - 1];
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
