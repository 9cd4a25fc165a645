#include "board/ThreadCtrl.h"

#include "board/Palette.h"
#include "board/RightAlign.h"
#include "gfx/Picture.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

namespace {

constexpr int Positions = 12;

} // namespace

ThreadCtrl::ThreadCtrl(Game& game) : game_(game)
{
    for (int slot = 0; slot < Positions; ++slot) {
        threads_[slot] = std::make_unique<Thread>(game_, slot);
        resLists_[slot] = std::make_unique<Res>(game_, slot);
    }
}

void ThreadCtrl::ClassInit(Picture* pic)
{
    for (auto& list : resLists_)
        list->ClassInit(pic);
    GameInit();
}

void ThreadCtrl::GameInit()
{
    game_.rules.BoardInit();
}

int32_t ThreadCtrl::GetThreadMax() const
{
    return game_.match.board.threadMax;
}

int32_t ThreadCtrl::GetThreadCount() const
{
    return game_.match.board.threadCount;
}

const std::array<int32_t, 12>& ThreadCtrl::Order() const
{
    return game_.match.board.order;
}

Thread& ThreadCtrl::GetThread(int threadIndex)
{
    return *threads_[Order().at(threadIndex)];
}

Res& ThreadCtrl::GetRes(int threadIndex)
{
    return *resLists_[Order().at(threadIndex)];
}

bool ThreadCtrl::IsEnableCard(int cardIndex, int threadIndex)
{
    return game_.rules.IsEnableCard(cardIndex, threadIndex);
}

void ThreadCtrl::AllDat()
{
    game_.rules.FinishBoard();
}

void ThreadCtrl::PayCard(int threadIndex, int cIndex, int plIndex)
{
    game_.rules.PostDate(game_.PostDate());
    game_.rules.PayCard(threadIndex, cIndex, plIndex);
}

void ThreadCtrl::Paint(Picture& pic, int plIndex)
{
    PlayerCtrl& players = *game_.playerCtrl;
    // In the hurried mode nobody may be on turn (player 4); the human's selection is shown then.
    const bool onTurn = plIndex >= 0 && plIndex <= 3;
    const int pos = players.GetCurrentThread(onTurn ? plIndex : 0);

    const AreaRect list = GetArea(AreaThreadList);
    for (int i = 0; i < Positions; ++i) {
        bool isCurrent = false;
        if (i == pos) {
            const int32_t current = players.GetCurrentPlayer();
            isCurrent = current >= 0 && current <= 3 && players.IsEnableCard(current);
        }
        GetThread(i).Paint(pic, list.Left, list.Top + 16 * i, list.Right - list.Left, i, isCurrent);
    }

    const AreaRect view = GetArea(AreaThreadView);
    GetRes(pos).Paint(pic, view.Left, view.Top, view.Right - view.Left, view.Bottom - view.Top);
    const Thread& thread = GetThread(pos);
    if (thread.resNum() > 0) {
        pic.SetForeColor(Palette::White);
        pic.SetFillColor(Palette::White);
        pic.SetFillSolid(true);
        pic.Rectangle(view.Left + 1, view.Bottom - 20, view.Left + 46, view.Bottom - 2);
        pic.SetFontSize(12);
        pic.SetBold(true);
        pic.SetForeColor(Palette::Purple);
        pic.TextOutA(view.Left + 1, view.Bottom - 20, RightAlign(thread.Size(), 3) + "KB");
        pic.SetFontSize(9);
        pic.SetBold(false);
    }
}
