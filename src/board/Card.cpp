#include "board/Card.h"

#include "platform/Rng.h"

Card::Card(Rng& rng) : rng_(rng)
{
    const std::array<Point, 9> top = {{{6, 17}, {6, 28}, {11, 23}, {89, 23}, {89, 17},
                                       {6, 20}, {6, 21}, {89, 21}, {89, 20}}};
    for (int k = 0; k < 9; ++k) {
        points_[k] = top[k];
        points_[k + 9] = {95 - top[k].x, 135 - top[k].y};
    }
}

void Card::Load(const std::array<CardRecord, CardDefCount>& cardDefs, int cardIndex, int cardColor,
                const std::string& thCardText)
{
    record_ = cardDefs.at(cardIndex);
    record_.cardColor = cardColor;
    if (cardIndex == ThreadCard) {
        record_.CardText = thCardText;
        record_.Size = 0;
    }
    for (int i = 1; i < 5; ++i)
        record_.resWeight[i] += record_.resWeight[i - 1];
}

void Card::browserCrash(int mark)
{
    if (record_.cardIndex == ThreadCard)
        record_.Size = mark;
}

std::string Card::ResText() const
{
    const int total = record_.resWeight[4];
    if (total <= 0)
        return {};
    const int r = rng_.Below(total);
    for (int i = 0; i < 5; ++i) {
        if (r < record_.resWeight[i])
            return record_.ResText[i];
    }
    return {};
}
