#include "board/ThreadCtrl.h"

#include "board/Palette.h"
#include "board/RightAlign.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "gfx/Picture.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

namespace {

constexpr int Positions = 12;
constexpr int LastPosition = Positions - 1;
constexpr int ThreadCardCount = 45;

bool IsLive(const Thread& t)
{
    return t.resNum() >= 1 && !t.StopFlag();
}

} // namespace

ThreadCtrl::ThreadCtrl(Game& game) : game_(game)
{
    for (int slot = 0; slot < Positions; ++slot) {
        threads_[slot] = std::make_unique<Thread>(game_);
        resLists_[slot] = std::make_unique<Res>(game_);
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
    for (int slot = 0; slot < Positions; ++slot) {
        threads_[slot]->ClearThread();
        resLists_[slot]->ClearRes();
        order_[slot] = slot;
    }
    threadCount_ = 0;
    threadMax_ = 8;
}

Thread& ThreadCtrl::GetThread(int threadIndex)
{
    return *threads_[order_.at(threadIndex)];
}

Res& ThreadCtrl::GetRes(int threadIndex)
{
    return *resLists_[order_.at(threadIndex)];
}

bool ThreadCtrl::IsEnableCard(int cardIndex, int threadIndex)
{
    if (threadIndex < 0 || threadIndex >= threadMax_)
        return false;
    const Card& card = game_.cardCtrl->GetCard(cardIndex);
    if (cardIndex >= ThreadCardCount)
        return GetThread(threadIndex).IsCardEnable(card);

    // The admin and the god mark every slot, so slot 0 speaks for the whole board.
    if (threads_[0]->GotFlag() > 0)
        return false;
    if (threadCount_ == 0)
        return true;
    for (const auto& thread : threads_) {
        if (thread->Color() == card.cardColor())
            return thread->FestaFlag() == 0;
    }
    return true;
}

void ThreadCtrl::AllDat()
{
    game_.eventCtrl->OpenEvent(GameEnd, game_.specialTexts[SpecialText::CardsOut], 0, 0);
    while (GetThread(0).resNum() >= 1) {
        FinishThread(0);
        RemoveThread(LastPosition);
        SortThreads();
        game_.RepaintBoard();
        game_.RefreshScreen();
        game_.DoEvents();
    }
}

void ThreadCtrl::SetGotFlags(int slot, int32_t value)
{
    for (int i = 0; i < Positions; ++i)
        threads_[i]->GotFlag(i == slot ? value : 3);
}

void ThreadCtrl::ClearGotFlags()
{
    for (auto& thread : threads_)
        thread->GotFlag(0);
}

void ThreadCtrl::StartFesta(int slot)
{
    const int32_t color = threads_[slot]->Color();
    for (int i = 0; i < Positions; ++i) {
        if (threads_[i]->Color() == color)
            threads_[i]->FestaFlag(i == slot ? 1 : 2);
    }
}

void ThreadCtrl::EndFesta(int32_t color)
{
    for (auto& thread : threads_) {
        if (thread->Color() == color)
            thread->FestaFlag(0);
    }
}

void ThreadCtrl::MoveUp(int from, int to)
{
    for (int k = from; k >= to + 1; --k)
        Swap(order_[k], order_[k - 1]);
}

void ThreadCtrl::MoveDown(int from, int to)
{
    for (int k = from; k <= to - 1; ++k)
        Swap(order_[k], order_[k + 1]);
}

void ThreadCtrl::NewThread(int plIndex, int cIndex, int32_t itaColor, int32_t browserCrash)
{
    if (threadMax_ == threadCount_) {
        FinishThread(threadMax_ - 1);
        RemoveThread(LastPosition);
        MoveUp(LastPosition, 0);
    } else {
        MoveUp(threadMax_ - 1, 0);
    }
    GetThread(0).CreateThread(plIndex, cIndex, itaColor, browserCrash);
    GetRes(0).CreateRes(cIndex);
    threadCount_ = Min(threadCount_ + 1, threadMax_);
}

void ThreadCtrl::RemoveThread(int pos)
{
    Thread& thread = GetThread(pos);
    if (thread.resNum() <= 0)
        return;
    if (thread.GotFlag() == 1 || thread.GotFlag() == 2)
        ClearGotFlags();
    if (thread.FestaFlag() == 1)
        EndFesta(thread.Color());
    const bool blockedByOther = thread.GotFlag() == 3;
    thread.ClearThread();
    // The admin or the god elsewhere closed every slot, this one too: emptied, it would let thread
    // cards and trolls back in while they stay.
    if (blockedByOther)
        thread.GotFlag(3);
    GetRes(pos).ClearRes();
}

void ThreadCtrl::FinishThread(int pos)
{
    Thread& thread = GetThread(pos);
    if (thread.resNum() < 1)
        return;
    if (thread.GotFlag() == 1 || thread.GotFlag() == 2)
        ClearGotFlags();
    if (thread.FestaFlag() == 1)
        EndFesta(thread.Color());
    thread.StopFlag(true);
    game_.score->AddThread(thread.owner(), thread.resNum());

    const int32_t r = Max((thread.resNum() - 650) / 50, 0);
    int32_t eventIndex = r == 0 ? ThreadEnd : (r == 1 ? ThreadEndBonus : r + 49);
    int32_t points = Score::GetThreadPoint(thread.resNum());
    if (r > 0) {
        if (thread.JudgeFlag() == 1) {
            eventIndex += 6;
            points = points * 15 / 10;
        } else if (thread.JudgeFlag() == 2) {
            eventIndex += 12;
            points = points / 2;
        }
    }
    --threadCount_;
    game_.eventCtrl->OpenEvent(eventIndex, " " + std::to_string(pos), thread.owner(), points);
    game_.score->AddScore(thread.owner(), points, 0);
}

void ThreadCtrl::SortThreads()
{
    for (int i = 0; i <= LastPosition - 1; ++i) {
        if (IsLive(GetThread(i)))
            continue;
        int j = i + 1;
        while (j <= LastPosition && !IsLive(GetThread(j)))
            ++j;
        if (j > LastPosition)
            break;
        MoveUp(j, i);
    }
    for (int k = LastPosition; k >= 1; --k) {
        if (GetThread(k).StopFlag())
            continue;
        int j = k - 1;
        while (j >= 0 && !GetThread(j).StopFlag())
            --j;
        if (j < 0)
            break;
        MoveDown(j, k);
    }
    if (GetThread(LastPosition).StopFlag()) {
        while (!GetThread(threadMax_).StopFlag())
            MoveDown(threadMax_, LastPosition);
    }
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
