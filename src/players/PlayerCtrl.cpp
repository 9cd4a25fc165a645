#include "players/PlayerCtrl.h"

#include "board/ThreadCtrl.h"
#include "gfx/Picture.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

PlayerCtrl::PlayerCtrl(Game& game) : game_(game)
{
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
    game_.rng.Randomize(game_.GetTickCount());
    game_.rules.CharacterInit(pNameIndex, pColor);
}

PlayerData& PlayerCtrl::Player(int player)
{
    return game_.match.players.at(player);
}

const PlayerData& PlayerCtrl::Player(int player) const
{
    return game_.match.players.at(player);
}

int32_t PlayerCtrl::firstPlayer() const
{
    return game_.match.firstPlayer;
}

int32_t PlayerCtrl::turnCount() const
{
    return game_.match.turnCount;
}

int32_t PlayerCtrl::GetCurrentPlayer() const
{
    return game_.rules.CurrentPlayer();
}

const std::string& PlayerCtrl::GetPlayerName(int player) const
{
    return game_.PlayerNames[Player(player).nameIndex];
}

int32_t PlayerCtrl::GetMyCardLast(int player) const
{
    return game_.rules.MyCardLast(player);
}

bool PlayerCtrl::IsEnable(int player) const
{
    const PlayerData& p = Player(player);
    return p.enable[p.currentThread][p.currentCard];
}

bool PlayerCtrl::IsPlayerStoped(int player) const
{
    if (player < 0)
        return false;
    return Player(player).stopCount > 0;
}

void PlayerCtrl::CopyEnableArray(int player, EnableArray& out) const
{
    const PlayerData& p = Player(player);
    for (int slot = 0; slot < 10; ++slot) {
        for (int position = 0; position < 12; ++position)
            out[slot][position] = p.enable[position][slot];
    }
}

void PlayerCtrl::AddWaitCount(int player, int32_t cost)
{
    game_.rules.AddWaitCount(player, cost);
}

void PlayerCtrl::MoveCurrentCard(int player, int step)
{
    game_.rules.MoveCurrentCard(player, step);
}

void PlayerCtrl::MoveCurrentCardDirect(int player, int slot)
{
    if (slot >= 0 && slot <= 9)
        Player(player).currentCard = slot;
}

void PlayerCtrl::MoveCurrentThread(int player, int step)
{
    game_.rules.MoveCurrentThread(player, step);
}

void PlayerCtrl::MoveCurrentThreadDirect(int player, int position)
{
    if (position >= 0 && position <= 11)
        Player(player).currentThread = position;
}

void PlayerCtrl::CardEnableCheck(int player)
{
    game_.rules.CardEnableCheck(player);
}

void PlayerCtrl::SortHand(int player)
{
    game_.rules.SortHand(player);
}
