#include "board/CardFamily.h"
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
    if (!IsResponseCard(cardIndex))
        return 20;
    return size <= 40 ? size : (size - 40) / 2 + 40;
}

} // namespace

// A card on its way to the board: the thread it lands on (which the card may change), the response
// it is about to add, the pop-up it raises, and whether the thread ends with it.
struct ThreadCtrl::Payment {
    const Card& card;
    int cIndex;
    int plIndex;
    int threadIndex;
    int slot;
    Thread* thread;
    ResRequest req;
    EventRequest ev;
    bool finish = false;

    void Announce(int32_t id, std::string text, int32_t target)
    {
        ev.eventIndex = id;
        ev.eventString = std::move(text);
        ev.eventTarget = target;
    }
    // The card now acts on the thread at this board position.
    void Retarget(int position, const ThreadCtrl& board)
    {
        threadIndex = position;
        slot = board.order_[position];
        thread = board.threads_[slot].get();
    }
};

void ThreadCtrl::PayCard(int threadIndex, int cIndex, int plIndex)
{
    const Card& card = game_.cardCtrl->GetCard(cIndex);
    const int cardIndex = card.cardIndex();
    const CardFamily family = FamilyOf(cardIndex);
    // A thread card always opens at the top, whatever position it was aimed at.
    if (family == CardFamily::Thread)
        threadIndex = 0;
    const int slot = order_.at(threadIndex);
    PlayerCtrl& players = *game_.playerCtrl;
    Payment play{card, cIndex, plIndex, threadIndex, slot, threads_[slot].get(), {}, {}, false};
    ResRequest& req = play.req;
    req.count = card.resNum();
    req.name = players.GetPlayerName(plIndex);
    req.id = players.GetPlayerId(plIndex);
    req.agesage = card.Agesage();
    req.text = card.ResText();
    req.size = card.Size();
    req.gotMode = play.thread->GotFlag() == 3 ? 0 : play.thread->GotFlag();

    switch (family) {
    case CardFamily::SecondPost:
        PaySecondPost(play);
        break;
    case CardFamily::Festival:
        PayFestival(play);
        break;
    case CardFamily::CalmDown:
        PayCalmDown(play);
        break;
    case CardFamily::GoodThread:
    case CardFamily::BadThread:
        PayJudge(play, family == CardFamily::GoodThread);
        break;
    case CardFamily::Sage:
        PaySage(play);
        break;
    case CardFamily::Present:
        PayPresent(play);
        break;
    case CardFamily::ThousandRace:
        PayThousandRace(play);
        break;
    case CardFamily::RoundNumber:
        if (play.thread->resNum() % 100 == 0)
            req.text = game_.specialTexts[SpecialText::RoundNumber];
        break;
    case CardFamily::Descent:
        PayDescent(play);
        break;
    case CardFamily::TrueStopper:
        PayTrueStopper(play);
        break;
    case CardFamily::AccessBan:
        PayAccessBan(play);
        break;
    case CardFamily::CapacityUp:
        PayCapacityUp(play);
        break;
    case CardFamily::CapacityDown:
        PayCapacityDown(play);
        break;
    case CardFamily::Delete:
        PayDelete(play);
        break;
    case CardFamily::Abone:
        PayAbone(play);
        break;
    case CardFamily::Troll:
        PayTroll(play);
        break;
    case CardFamily::Thread:
        PayThreadCard(play);
        break;
    case CardFamily::Plain:
        break;
    }
    Settle(play, family);
}

void ThreadCtrl::PaySecondPost(Payment& play)
{
    Thread& thread = *play.thread;
    if (thread.resNum() != 1)
        return;
    static constexpr std::array<int, 8> textOf = {0, 1, 0, 0, 0, 0, 2, 3};
    play.req.count = 1;
    play.req.text =
        game_.specialTexts[SpecialText::SecondPost + textOf[play.card.cardIndex() - SecondPostCard]];
    play.req.priority = true;
    play.Announce(SecondPost, PositionText(play.threadIndex), play.plIndex);
    play.ev.eventScore = 10;
    play.ev.scoreMode = 1;
    const int32_t mark = thread.browserCrash();
    if (mark == 0) {
        thread.browserCrash(1);
    } else if (mark == 2 || mark == 6) {
        play.ev.eventIndex = BrowserCrashHit;
        play.ev.eventString = game_.specialTexts[SpecialText::BrowserCrash + game_.rng.Below(2)];
        play.ev.eventScore *= -2;
        thread.browserCrash(3);
    }
}

void ThreadCtrl::PayFestival(Payment& play)
{
    Thread& thread = *play.thread;
    if (thread.GotFlag() == 0 && thread.FestaFlag() == 0) {
        StartFesta(play.slot);
        play.req.priority = true;
        play.Announce(FestivalStart, play.req.text, thread.Color());
    } else {
        play.req.text.clear();
    }
}

void ThreadCtrl::PayCalmDown(Payment& play)
{
    Thread& thread = *play.thread;
    if (thread.FestaFlag() == 1) {
        EndFesta(thread.Color());
        thread.IkusaFlag(false);
        play.req.text = game_.specialTexts[SpecialText::FestivalCalmed];
        play.req.priority = true;
        play.Announce(FestivalEnd, play.req.text, thread.Color());
    } else if (thread.IkusaFlag()) {
        thread.IkusaFlag(false);
        play.req.text = game_.specialTexts[SpecialText::ThousandRaceCalmed];
        play.req.priority = true;
        play.Announce(ThousandRaceEnd, play.req.text, thread.owner());
    }
}

void ThreadCtrl::PayJudge(Payment& play, bool good)
{
    Thread& thread = *play.thread;
    if (thread.JudgeFlag() == 0) {
        thread.JudgeFlag(good ? 1 : 2);
        play.req.priority = true;
        play.Announce(good ? GoodThread : BadThread, play.req.text, thread.owner());
    } else {
        play.req.text.clear();
    }
}

void ThreadCtrl::PaySage(Payment& play)
{
    Thread& thread = *play.thread;
    if (thread.GotFlag() != 0 || thread.FestaFlag() != 0 || thread.Agesage() != 0)
        return;
    // The chance is drawn even for the card that always succeeds.
    const bool lucky = game_.rng.Chance(0.75);
    play.req.priority = true;
    if (lucky || play.card.cardIndex() == SureSageCard) {
        thread.Agesage(1);
        play.Announce(SageDone, play.req.text, thread.owner());
    } else {
        play.req.text = game_.specialTexts[SpecialText::SageFailed];
        play.Announce(SageFailed, play.req.text, play.plIndex);
    }
}

void ThreadCtrl::PayPresent(Payment& play)
{
    if (game_.score->GetRank(play.plIndex) != 4)
        return;
    play.req.text = game_.specialTexts[SpecialText::Present];
    play.Announce(Present, play.req.text, play.plIndex);
    play.ev.eventScore = 10;
    play.ev.scoreMode = 2;
}

void ThreadCtrl::PayThousandRace(Payment& play)
{
    Thread& thread = *play.thread;
    if (!thread.IkusaFlag() && play.card.resNum() + thread.resNum() >= 700) {
        thread.IkusaFlag(true);
        play.req.text = game_.specialTexts[game_.rng.Chance(0.8) ? SpecialText::ThousandRace
                                                                 : SpecialText::ThousandRaceRare];
        play.req.priority = true;
        play.Announce(ThousandRace, play.req.text, thread.owner());
    } else if (thread.IkusaFlag()) {
        play.req.text.clear();
    }
}

void ThreadCtrl::PayDescent(Payment& play)
{
    const bool admin = play.card.cardIndex() == AdminCard;
    EndFesta(1);
    EndFesta(2);
    EndFesta(3);
    SetGotFlags(play.slot, admin ? 1 : 2);
    play.thread->Agesage(0);
    play.thread->Color(4);
    play.req.count = 1;
    play.req.priority = true;
    play.Announce(admin ? AdminDescends : GodDescends, play.req.text, play.thread->owner());
}

void ThreadCtrl::PayTrueStopper(Payment& play)
{
    ResRequest& req = play.req;
    req.count = 1;
    req.agesage = 1;
    req.id = "*";
    req.name = "真・スレッドストッパー";
    req.stime = "真・スレッドストッパー";
    req.size = 0;
    req.priority = true;
    play.Announce(TrueStopper, PositionText(play.threadIndex), play.thread->owner());
    play.finish = true;
}

void ThreadCtrl::PayAccessBan(Payment& play)
{
    const int32_t owner = play.thread->owner();
    if ((game_.GameMode & ModeHarsh) != 0)
        game_.playerCtrl->AddWaitCount(owner, 300);
    else
        game_.playerCtrl->AccessStop(owner);
    play.req.count = -1;
    play.Announce(ProviderBan, play.req.text, owner);
}

void ThreadCtrl::PayCapacityUp(Payment& play)
{
    if (threadMax_ <= 10) {
        if (GetThread(11).StopFlag())
            RemoveThread(11);
        MoveUp(11, threadMax_);
        SortThreads();
        ++threadMax_;
        play.Announce(CapacityUp, "", threadMax_);
    }
    play.req.count = -1;
}

void ThreadCtrl::PayCapacityDown(Payment& play)
{
    if (threadMax_ >= 6) {
        const int p = threadMax_ - 1;
        if (threadMax_ == threadCount_) {
            // The board is full: its last live thread drops off and is rated below.
            play.Retarget(p, *this);
            play.finish = true;
        } else {
            MoveDown(p, 11);
            SortThreads();
        }
        --threadMax_;
        play.Announce(CapacityDown, "", threadMax_);
    }
    play.req.count = -1;
}

void ThreadCtrl::PayDelete(Payment& play)
{
    play.req.count = -1;
    play.Announce(ThreadDeleted, game_.specialTexts[SpecialText::Deleted + game_.rng.Below(2)],
                  play.thread->owner());
    RemoveThread(play.threadIndex);
    --threadCount_;
}

void ThreadCtrl::PayAbone(Payment& play)
{
    play.req.count = -1;
    play.thread->Size(play.thread->Size() / 4);
    resLists_[play.slot]->SetAbone();
    play.Announce(AboneAll, PositionText(play.threadIndex), play.thread->owner());
}

void ThreadCtrl::PayTroll(Payment& play)
{
    TrollRaid(play.card);
    // The raid reorders the board: a target it pushes to a thousand must be finished where it
    // now stands, not the thread that took its old position.
    play.threadIndex = static_cast<int>(std::find(order_.begin(), order_.end(), play.slot) - order_.begin());
    play.req.count = -1;
    play.Announce(TrollRevealed, play.card.ResText(), play.plIndex);
    play.ev.eventScore = -10;
    play.ev.scoreMode = 0;
}

void ThreadCtrl::PayThreadCard(Payment& play)
{
    NewThread(play.plIndex, play.cIndex, play.card.cardColor(), play.card.Size());
    play.Retarget(0, *this);
    ResRequest& req = play.req;
    req.agesage = 0;
    req.count = 1;
    req.size = 1;
    req.text = game_.ThreadTexts.at(play.cIndex).Responses[game_.rng.Below(20)];
    req.priority = true;
}

void ThreadCtrl::Settle(Payment& play, CardFamily family)
{
    ResRequest& req = play.req;
    EventRequest& ev = play.ev;
    Thread& thread = *play.thread;
    if (req.count >= 1) {
        if (req.count % 10 == 0)
            req.count -= thread.resNum() % 10;
        if (req.size + thread.Size() > MaxSize) {
            if (req.count > 1)
                req.count -= game_.rng.Below(3) + 1;
            // A trimmed count of 0 would overwrite the newest post; one response always lands.
            req.count = Max(req.count, 1);
            req.size = MaxSize - thread.Size();
        }
        thread.Size(thread.Size() + req.size);
        if (thread.Size() == MaxSize && ev.eventIndex == ThousandRace)
            ev.eventIndex = -1;
        resLists_[play.slot]->AddRes(req.count, req.name, req.id, req.agesage, req.stime, req.text,
                                     req.priority, req.gotMode);
        thread.resNum(thread.resNum() + req.count);
    }

    if (ev.eventIndex > 0)
        game_.eventCtrl->OpenEvent(ev.eventIndex, ev.eventString, ev.eventTarget, ev.eventScore);
    if (ev.eventScore != 0)
        game_.score->AddScore(play.plIndex, ev.eventScore, ev.scoreMode);

    if (play.plIndex == thread.owner() && play.card.cardColor() == 0)
        thread.AddJienFlag();

    const int cardIndex = play.card.cardIndex();
    if (thread.Size() == MaxSize) {
        game_.eventCtrl->OpenEvent(SizeOver, PositionText(play.threadIndex), thread.owner(), 0);
        play.finish = true;
    } else if (thread.resNum() % 100 == 0 && thread.resNum() <= 1000 && IsResponseCard(cardIndex)) {
        PayMilestone(thread, play.threadIndex, play.plIndex);
    }

    if (thread.resNum() >= 1000) {
        play.finish = true;
        thread.resNum(1001);
    }

    if (thread.resNum() > 0) {
        // These cards leave the thread where it stands; the others bring it to the top.
        const bool staysInPlace = family == CardFamily::AccessBan || family == CardFamily::CapacityUp ||
                                  family == CardFamily::CapacityDown || family == CardFamily::Troll;
        if (play.finish) {
            FinishThread(play.threadIndex);
            if (family != CardFamily::CapacityDown)
                RemoveThread(11);
        } else if (!staysInPlace) {
            MoveUp(play.threadIndex, 0);
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
        eventString = game_.specialTexts[SpecialText::BrowserCrash + game_.rng.Below(2)];
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
