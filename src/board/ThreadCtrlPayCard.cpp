#include "board/ThreadCtrl.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace {

constexpr int MaxSize = 512;

// The response a played card is about to add.
struct ResRequest {
    int32_t count = 0;
    std::string name;
    std::string id;
    int32_t agesage = 0;
    std::string stime;
    std::string text;
    int32_t size = 0;
    bool priority = false;
    int32_t gotMode = 0;
};

// The pop-up a played card raises, with the points it pays.
struct EventRequest {
    int32_t eventIndex = -1;
    std::string eventString;
    int32_t eventTarget = 0;
    int32_t eventScore = 0;
    int32_t scoreMode = 0;
};

// The pop-up reads the board position back from this text to show that thread.
std::string PositionText(int threadIndex)
{
    return " " + std::to_string(threadIndex);
}

int32_t WaitCost(int cardIndex, int32_t size)
{
    if (cardIndex == ThreadCard)
        return 1;
    if (cardIndex >= AdminCard)
        return 20;
    return size <= 40 ? size : (size - 40) / 2 + 40;
}

} // namespace

void ThreadCtrl::PayCard(int threadIndex, int cIndex, int plIndex)
{
    const Card& card = game_.cardCtrl->GetCard(cIndex);
    const int cardIndex = card.cardIndex();
    // A thread card always opens at the top, whatever position it was aimed at.
    if (cardIndex == ThreadCard)
        threadIndex = 0;
    int slot = order_.at(threadIndex);
    PlayerCtrl& players = *game_.playerCtrl;
    const std::array<std::string, SpecialTextCount>& special = game_.specialTexts;

    ResRequest req;
    req.count = card.resNum();
    req.name = players.GetPlayerName(plIndex);
    req.id = players.GetPlayerId(plIndex);
    req.agesage = card.Agesage();
    req.text = card.ResText();
    req.size = card.Size();
    req.gotMode = threads_[slot]->GotFlag() == 3 ? 0 : threads_[slot]->GotFlag();
    EventRequest ev;
    bool finish = false;

    Thread* thread = threads_[slot].get();
    const auto announce = [&ev](int32_t id, std::string text, int32_t target) {
        ev.eventIndex = id;
        ev.eventString = std::move(text);
        ev.eventTarget = target;
    };

    switch (cardIndex) {
    case 0:
    case 1:
    case 6:
    case 7:
        if (thread->resNum() == 1) {
            static constexpr std::array<int, 8> textOf = {0, 1, 0, 0, 0, 0, 2, 3};
            req.count = 1;
            req.text = special[textOf[cardIndex]];
            req.priority = true;
            announce(SecondPost, PositionText(threadIndex), plIndex);
            ev.eventScore = 10;
            ev.scoreMode = 1;
            const int32_t mark = thread->browserCrash();
            if (mark == 0) {
                thread->browserCrash(1);
            } else if (mark == 2 || mark == 6) {
                ev.eventIndex = BrowserCrashHit;
                ev.eventString = special[42 + game_.rng.Below(2)];
                ev.eventScore *= -2;
                thread->browserCrash(3);
            }
        }
        break;
    case 2:
    case 12:
        if (thread->GotFlag() == 0 && thread->FestaFlag() == 0) {
            StartFesta(slot);
            req.priority = true;
            announce(FestivalStart, req.text, thread->Color());
        } else {
            req.text.clear();
        }
        break;
    case 8:
    case 9:
        if (thread->FestaFlag() == 1) {
            EndFesta(thread->Color());
            thread->IkusaFlag(false);
            req.text = special[5];
            req.priority = true;
            announce(FestivalEnd, req.text, thread->Color());
        } else if (thread->IkusaFlag()) {
            thread->IkusaFlag(false);
            req.text = special[4];
            req.priority = true;
            announce(ThousandRaceEnd, req.text, thread->owner());
        }
        break;
    case GoodThreadCard:
    case BadThreadCard:
        if (thread->JudgeFlag() == 0) {
            const bool good = cardIndex == GoodThreadCard;
            thread->JudgeFlag(good ? 1 : 2);
            req.priority = true;
            announce(good ? GoodThread : BadThread, req.text, thread->owner());
        } else {
            req.text.clear();
        }
        break;
    case 24:
    case 25:
        if (thread->GotFlag() == 0 && thread->FestaFlag() == 0 && thread->Agesage() == 0) {
            // The chance is drawn even for the card that always succeeds.
            const bool lucky = game_.rng.Chance(0.75);
            if (lucky || cardIndex == 25) {
                thread->Agesage(1);
                req.priority = true;
                announce(SageDone, req.text, thread->owner());
            } else {
                req.text = special[6];
                req.priority = true;
                announce(SageFailed, req.text, plIndex);
            }
        }
        break;
    case PresentCard:
        if (game_.score->GetRank(plIndex) == 4) {
            req.text = special[7];
            announce(Present, req.text, plIndex);
            ev.eventScore = 10;
            ev.scoreMode = 2;
        }
        break;
    case 28:
    case 29:
        if (!thread->IkusaFlag() && card.resNum() + thread->resNum() >= 700) {
            thread->IkusaFlag(true);
            req.text = game_.rng.Chance(0.8) ? special[8] : special[9];
            req.priority = true;
            announce(ThousandRace, req.text, thread->owner());
        } else if (thread->IkusaFlag()) {
            req.text.clear();
        }
        break;
    case RoundNumberCard:
        if (thread->resNum() % 100 == 0)
            req.text = special[10];
        break;
    case AdminCard:
    case GodCard:
        EndFesta(1);
        EndFesta(2);
        EndFesta(3);
        SetGotFlags(slot, cardIndex == AdminCard ? 1 : 2);
        thread->Agesage(0);
        thread->Color(4);
        req.count = 1;
        req.priority = true;
        announce(cardIndex == AdminCard ? AdminDescends : GodDescends, req.text, thread->owner());
        break;
    case TrueStopperCard:
        req.count = 1;
        req.agesage = 1;
        req.id = "*";
        req.name = "真・スレッドストッパー";
        req.stime = "真・スレッドストッパー";
        req.size = 0;
        req.priority = true;
        announce(TrueStopper, PositionText(threadIndex), thread->owner());
        finish = true;
        break;
    case AccessBanCard:
        if ((game_.GameMode & ModeHarsh) != 0)
            players.AddWaitCount(thread->owner(), 300);
        else
            players.AccessStop(thread->owner());
        req.count = -1;
        announce(ProviderBan, req.text, thread->owner());
        break;
    case CapacityUpCard:
        if (threadMax_ <= 10) {
            if (GetThread(11).StopFlag())
                RemoveThread(11);
            MoveUp(11, threadMax_);
            SortThreads();
            ++threadMax_;
            announce(CapacityUp, "", threadMax_);
        }
        req.count = -1;
        break;
    case CapacityDownCard:
        if (threadMax_ >= 6) {
            const int p = threadMax_ - 1;
            if (threadMax_ == threadCount_) {
                // The board is full: its last live thread drops off and is rated below.
                threadIndex = p;
                slot = order_[p];
                thread = threads_[slot].get();
                finish = true;
            } else {
                MoveDown(p, 11);
                SortThreads();
            }
            --threadMax_;
            announce(CapacityDown, "", threadMax_);
        }
        req.count = -1;
        break;
    case DeleteCard:
        req.count = -1;
        announce(ThreadDeleted, special[32 + game_.rng.Below(2)], thread->owner());
        RemoveThread(threadIndex);
        --threadCount_;
        break;
    case AboneCard:
        req.count = -1;
        thread->Size(thread->Size() / 4);
        resLists_[slot]->SetAbone();
        announce(AboneAll, PositionText(threadIndex), thread->owner());
        break;
    case TrollCard:
        TrollRaid(card);
        // The raid reorders the board: a target it pushes to a thousand must be finished where it
        // now stands, not the thread that took its old position.
        threadIndex = static_cast<int>(std::find(order_.begin(), order_.end(), slot) - order_.begin());
        req.count = -1;
        announce(TrollRevealed, card.ResText(), plIndex);
        ev.eventScore = -10;
        ev.scoreMode = 0;
        break;
    case ThreadCard:
        NewThread(plIndex, cIndex, card.cardColor(), card.Size());
        threadIndex = 0;
        slot = order_[0];
        thread = threads_[slot].get();
        req.agesage = 0;
        req.count = 1;
        req.size = 1;
        req.text = game_.ThreadTexts.at(cIndex).Responses[game_.rng.Below(20)];
        req.priority = true;
        break;
    default:
        break;
    }

    if (req.count >= 1) {
        if (req.count % 10 == 0)
            req.count -= thread->resNum() % 10;
        if (req.size + thread->Size() > MaxSize) {
            if (req.count > 1)
                req.count -= game_.rng.Below(3) + 1;
            // A trimmed count of 0 would overwrite the newest post; one response always lands.
            req.count = Max(req.count, 1);
            req.size = MaxSize - thread->Size();
        }
        thread->Size(thread->Size() + req.size);
        if (thread->Size() == MaxSize && ev.eventIndex == ThousandRace)
            ev.eventIndex = -1;
        resLists_[slot]->AddRes(req.count, req.name, req.id, req.agesage, req.stime, req.text, req.priority,
                                req.gotMode);
        thread->resNum(thread->resNum() + req.count);
    }

    if (ev.eventIndex > 0)
        game_.eventCtrl->OpenEvent(ev.eventIndex, ev.eventString, ev.eventTarget, ev.eventScore);
    if (ev.eventScore != 0)
        game_.score->AddScore(plIndex, ev.eventScore, ev.scoreMode);

    if (plIndex == thread->owner() && card.cardColor() == 0)
        thread->AddJienFlag();

    if (thread->Size() == MaxSize) {
        game_.eventCtrl->OpenEvent(SizeOver, PositionText(threadIndex), thread->owner(), 0);
        finish = true;
    } else if (thread->resNum() % 100 == 0 && thread->resNum() <= 1000 && cardIndex < AdminCard) {
        PayMilestone(*thread, threadIndex, plIndex);
    }

    if (thread->resNum() >= 1000) {
        finish = true;
        thread->resNum(1001);
    }

    if (thread->resNum() > 0) {
        if (finish) {
            FinishThread(threadIndex);
            if (cardIndex != CapacityDownCard)
                RemoveThread(11);
        } else if (cardIndex != AccessBanCard && cardIndex != CapacityUpCard &&
                   cardIndex != CapacityDownCard && cardIndex != TrollCard) {
            MoveUp(threadIndex, 0);
        }
    }
    SortThreads();

    game_.LastCardWait = WaitCost(cardIndex, req.size);
}

void ThreadCtrl::PayMilestone(Thread& thread, int threadIndex, int plIndex)
{
    const int32_t resNum = thread.resNum();
    int32_t eventIndex = 20 + Min(resNum / 100, 10);
    std::string eventString = PositionText(threadIndex);
    int32_t score = resNum <= 600 ? 10 : 20;
    if (resNum == 1000) {
        score = thread.IkusaFlag() ? 100 : 50;
        if (thread.IkusaFlag())
            eventIndex = ThousandRaceBonus;
    }
    const int32_t mark = thread.browserCrash();
    if (mark == 0) {
        thread.browserCrash(1);
    } else if (mark == 2 || mark == 3 || mark == 6) {
        eventIndex = BrowserCrashHit;
        eventString = game_.specialTexts[42 + game_.rng.Below(2)];
        score *= -2;
        thread.browserCrash(3);
    }
    game_.eventCtrl->OpenEvent(eventIndex, eventString, plIndex, score);
    game_.score->AddScore(plIndex, score, 1);
}

void ThreadCtrl::TrollRaid(const Card& card)
{
    const int n = threadCount_;
    std::vector<int> perm(static_cast<size_t>(n));
    std::iota(perm.begin(), perm.end(), 0);
    for (int i = 0; i < n; ++i)
        std::swap(perm[i], perm[game_.rng.Below(n)]);

    for (int i = 0; i < n; ++i) {
        Thread& thread = GetThread(perm[i]);
        if (thread.StopFlag() || thread.resNum() <= 0)
            continue;
        const int32_t resNum = thread.resNum();
        const int32_t k = resNum >= 990 ? 1 : (resNum >= 950 ? 10 : (game_.rng.Below(4) + 1) * 10);
        GetRes(perm[i]).AddRes(k, "", "", 0, "", card.ResText(), true, 0);
        thread.resNum(resNum + k);
        thread.Agesage(0);
        if (game_.rng.Chance(0.7))
            thread.Color(game_.rng.Below(3) + 1);
        if (game_.rng.Chance(0.25))
            thread.JudgeFlag(game_.rng.Below(3));
        if (game_.rng.Chance(0.1))
            thread.owner(game_.rng.Below(4));
    }

    EndFesta(1);
    EndFesta(2);
    EndFesta(3);
    for (int i = 0; i < n; ++i)
        Swap(order_[i], order_[perm[i]]);
    SortThreads();
}
