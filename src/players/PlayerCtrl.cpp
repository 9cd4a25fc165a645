#include "players/PlayerCtrl.h"

#include "board/ThreadCtrl.h"
#include "gfx/Picture.h"
#include "players/CardCtrl.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

PlayerCtrl::PlayerCtrl(Game& game) : game_(game)
{
    for (PlayerData& p : players_)
        p.handCard.fill(NO_CARD);
    static constexpr std::array<Point, 12> cross = {{{5, 0},
                                                     {0, 5},
                                                     {50, 55},
                                                     {0, 105},
                                                     {5, 110},
                                                     {55, 60},
                                                     {105, 110},
                                                     {110, 105},
                                                     {60, 55},
                                                     {110, 5},
                                                     {105, 0},
                                                     {55, 50}}};
    const AreaRect box = GetArea(AreaSelected);
    for (size_t i = 0; i < cross.size(); ++i)
        crossPoints_[i] = {cross[i].x + box.Left + 5, cross[i].y + box.Top + 25};
}

void PlayerCtrl::ClassInit(Picture* mainPic, Picture* backPic, const Picture* pencil)
{
    mainPic_ = mainPic;
    backPic_ = backPic;
    pencil_ = pencil;
    mainWidth_ = mainPic->Width();
    mainHeight_ = mainPic->Height();
    pencilSize_ = pencil->Height();
}

void PlayerCtrl::CharacterInit(int32_t pNameIndex, int32_t pColor)
{
    Rng& rng = game_.rng;
    rng.Randomize(game_.GetTickCount());
    if (pNameIndex < 0 || pNameIndex > 7)
        pNameIndex = 0;
    if (pColor < 0 || pColor > 3)
        pColor = 0;

    std::array<int32_t, 4> colourOrder = {0, 1, 2, 3};
    std::array<int32_t, 8> nameOrder = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int k = 0; k < 4; ++k)
        Swap(colourOrder[k], colourOrder[rng.Below(4)]);
    for (int k = 0; k < 8; ++k)
        Swap(nameOrder[k], nameOrder[rng.Below(8)]);

    int m = 0;
    while (colourOrder[m] != pColor)
        ++m;
    int a = 0;
    while (nameOrder[a] != pNameIndex)
        ++a;
    for (int p = 0; p < 4; ++p) {
        players_[p].color = colourOrder[(p + m) % 4];
        players_[p].nameIndex = nameOrder[(p + a) % 8];
        players_[p].id = game_.MakeId();
    }
    turnCount_ = -1;
}

int32_t PlayerCtrl::GetCurrentPlayer() const
{
    if ((game_.GameMode & ModeHarsh) != 0) {
        for (int p = 0; p < 4; ++p) {
            if (players_[p].waitCount <= 0)
                return p;
        }
        return 4;
    }
    if (turnCount_ < 0)
        return firstPlayer_;
    return (firstPlayer_ + turnCount_) % 4;
}

const std::string& PlayerCtrl::GetPlayerName(int player) const
{
    return game_.PlayerNames[players_[player].nameIndex];
}

int32_t PlayerCtrl::GetMyCardLast(int player) const
{
    return game_.cardCtrl->GetCardMax() / 4 - players_[player].myCardCount;
}

bool PlayerCtrl::IsEnable(int player) const
{
    const PlayerData& p = players_[player];
    return p.enable[p.currentThread][p.currentCard];
}

bool PlayerCtrl::IsPlayerStoped(int player) const
{
    if (player < 0)
        return false;
    return players_[player].stopCount > 0;
}

void PlayerCtrl::CopyEnableArray(int player, EnableArray& out) const
{
    const PlayerData& p = players_[player];
    for (int slot = 0; slot < 10; ++slot) {
        for (int position = 0; position < 12; ++position)
            out[slot][position] = p.enable[position][slot];
    }
}

void PlayerCtrl::AddWaitCount(int player, int32_t cost)
{
    players_[player].waitCount += ((cost + 9) / 10) * 10;
}

void PlayerCtrl::MoveCurrentCard(int player, int step)
{
    PlayerData& p = players_[player];
    int i = (p.currentCard + step + 10) % 10;
    if (i < 0)
        i += 10;
    while (p.handCard[i] == NO_CARD && i > 0)
        --i;
    p.currentCard = i;
}

void PlayerCtrl::MoveCurrentCardDirect(int player, int slot)
{
    if (slot >= 0 && slot <= 9)
        players_[player].currentCard = slot;
}

void PlayerCtrl::MoveCurrentThread(int player, int step)
{
    PlayerData& p = players_[player];
    int i = (p.currentThread + step + 12) % 12;
    if (i < 0)
        i += 12;
    p.currentThread = i;
}

void PlayerCtrl::MoveCurrentThreadDirect(int player, int position)
{
    if (position >= 0 && position <= 11)
        players_[player].currentThread = position;
}

void PlayerCtrl::CardEnableCheck(int player)
{
    PlayerData& p = players_[player];
    p.enableCard = false;
    for (int slot = 0; slot < 10; ++slot) {
        const int32_t card = p.handCard[slot];
        for (int position = 0; position < 12; ++position) {
            // An empty slot only occurs once the cards have run out; it can go nowhere.
            const bool ok = card != NO_CARD && game_.threadCtrl->IsEnableCard(card, position);
            p.enable[position][slot] = ok;
            p.enableCard = p.enableCard || ok;
        }
    }
}

void PlayerCtrl::SortHand(int player)
{
    std::array<int32_t, 10>& hand = players_[player].handCard;
    for (int i = 8; i >= 0; --i) {
        for (int j = 0; j <= i; ++j) {
            if (hand[j] > hand[j + 1])
                Swap(hand[j], hand[j + 1]);
        }
    }
}
