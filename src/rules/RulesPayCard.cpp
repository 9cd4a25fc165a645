#include "rules/EventId.h"
#include "rules/Rules.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

constexpr int MaxSize = 512;

TextRef PositionText(int position)
{
    return {TextRef::Position, static_cast<int16_t>(position), 0};
}

TextRef SpecialRef(int index)
{
    return {TextRef::Special, static_cast<int16_t>(index), 0};
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
struct Rules::Payment {
    int cardNo = 0;
    int cardIndex = 0;
    int player = 0;
    int position = 0;
    int slot = 0;
    ThreadState* thread = nullptr;

    // The response.
    int32_t count = 0;
    int8_t name = -1;
    uint8_t kind = Post::Plain;
    int32_t agesage = 0;
    TextRef text;
    int32_t size = 0;
    bool priority = false;
    int32_t gotMode = 0;

    // The pop-up.
    int32_t eventIndex = -1;
    TextRef eventText;
    int32_t eventTarget = 0;
    int32_t eventScore = 0;
    int32_t scoreMode = 0;
    bool finish = false;

    void Announce(int32_t id, TextRef what, int32_t target)
    {
        eventIndex = id;
        eventText = what;
        eventTarget = target;
    }
    // The card now acts on the thread at this board position.
    void Retarget(int at, BoardState& board)
    {
        position = at;
        slot = board.order[at];
        thread = &board.threads[slot];
    }
};

void Rules::PayCard(int position, int cardNo, int player)
{
    const int cardIndex = CardDef(cardNo);
    const CardFamily family = FamilyOf(cardIndex);
    // A thread card always opens at the top, whatever position it was aimed at.
    if (family == CardFamily::Thread)
        position = 0;
    Payment play;
    play.cardNo = cardNo;
    play.cardIndex = cardIndex;
    play.player = player;
    play.Retarget(position, s_.board);
    play.count = CardResNum(cardNo);
    play.name = static_cast<int8_t>(s_.players[player].nameIndex);
    play.agesage = CardAgesage(cardNo);
    play.text = CardResText(cardNo);
    play.size = CardSize(cardNo);
    play.gotMode = play.thread->gotFlag == 3 ? 0 : play.thread->gotFlag;

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
        if (play.thread->resNum % 100 == 0)
            play.text = SpecialRef(SpecialText::RoundNumber);
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

void Rules::PaySecondPost(Payment& play)
{
    ThreadState& thread = *play.thread;
    if (thread.resNum != 1)
        return;
    static constexpr std::array<int, 8> textOf = {0, 1, 0, 0, 0, 0, 2, 3};
    play.count = 1;
    play.text = SpecialRef(SpecialText::SecondPost + textOf[play.cardIndex - SecondPostCard]);
    play.priority = true;
    play.Announce(SecondPost, PositionText(play.position), play.player);
    play.eventScore = 10;
    play.scoreMode = 1;
    const int32_t mark = thread.browserCrash;
    if (mark == 0) {
        thread.browserCrash = 1;
    } else if (mark == 2 || mark == 6) {
        play.eventIndex = BrowserCrashHit;
        play.eventText = SpecialRef(SpecialText::BrowserCrash + s_.rng.Below(2));
        play.eventScore *= -2;
        thread.browserCrash = 3;
    }
}

void Rules::PayFestival(Payment& play)
{
    ThreadState& thread = *play.thread;
    if (thread.gotFlag == 0 && thread.festaFlag == 0) {
        StartFesta(play.slot);
        play.priority = true;
        play.Announce(FestivalStart, play.text, thread.color);
    } else {
        play.text = {};
    }
}

void Rules::PayCalmDown(Payment& play)
{
    ThreadState& thread = *play.thread;
    if (thread.festaFlag == 1) {
        EndFesta(thread.color);
        thread.ikusaFlag = false;
        play.text = SpecialRef(SpecialText::FestivalCalmed);
        play.priority = true;
        play.Announce(FestivalEnd, play.text, thread.color);
    } else if (thread.ikusaFlag) {
        thread.ikusaFlag = false;
        play.text = SpecialRef(SpecialText::ThousandRaceCalmed);
        play.priority = true;
        play.Announce(ThousandRaceEnd, play.text, thread.owner);
    }
}

void Rules::PayJudge(Payment& play, bool good)
{
    ThreadState& thread = *play.thread;
    if (thread.judgeFlag == 0) {
        thread.judgeFlag = good ? 1 : 2;
        play.priority = true;
        play.Announce(good ? GoodThread : BadThread, play.text, thread.owner);
    } else {
        play.text = {};
    }
}

void Rules::PaySage(Payment& play)
{
    ThreadState& thread = *play.thread;
    if (thread.gotFlag != 0 || thread.festaFlag != 0 || thread.agesage != 0)
        return;
    // The chance is drawn even for the card that always succeeds.
    const bool lucky = s_.rng.Chance(0.75);
    play.priority = true;
    if (lucky || play.cardIndex == SureSageCard) {
        thread.agesage = 1;
        play.Announce(SageDone, play.text, thread.owner);
    } else {
        play.text = SpecialRef(SpecialText::SageFailed);
        play.Announce(SageFailed, play.text, play.player);
    }
}

void Rules::PayPresent(Payment& play)
{
    if (s_.scores[play.player].rank != 4)
        return;
    play.text = SpecialRef(SpecialText::Present);
    play.Announce(Present, play.text, play.player);
    play.eventScore = 10;
    play.scoreMode = 2;
}

void Rules::PayThousandRace(Payment& play)
{
    ThreadState& thread = *play.thread;
    if (!thread.ikusaFlag && CardResNum(play.cardNo) + thread.resNum >= 700) {
        thread.ikusaFlag = true;
        play.text =
            SpecialRef(s_.rng.Chance(0.8) ? SpecialText::ThousandRace : SpecialText::ThousandRaceRare);
        play.priority = true;
        play.Announce(ThousandRace, play.text, thread.owner);
    } else if (thread.ikusaFlag) {
        play.text = {};
    }
}

void Rules::PayDescent(Payment& play)
{
    const bool admin = play.cardIndex == AdminCard;
    EndFesta(1);
    EndFesta(2);
    EndFesta(3);
    SetGotFlags(play.slot, admin ? 1 : 2);
    play.thread->agesage = 0;
    play.thread->color = 4;
    play.count = 1;
    play.priority = true;
    play.Announce(admin ? AdminDescends : GodDescends, play.text, play.thread->owner);
}

void Rules::PayTrueStopper(Payment& play)
{
    play.count = 1;
    play.agesage = 1;
    play.kind = Post::Stopper;
    play.size = 0;
    play.priority = true;
    play.Announce(TrueStopper, PositionText(play.position), play.thread->owner);
    play.finish = true;
}

void Rules::PayAccessBan(Payment& play)
{
    const int32_t owner = play.thread->owner;
    if (owner >= 0 && owner < PlayerCount) {
        if ((s_.GameMode & ModeHarsh) != 0)
            AddWaitCount(owner, 300);
        else
            s_.players[owner].stopCount = 4;
    }
    play.count = -1;
    play.Announce(ProviderBan, play.text, owner);
}

void Rules::PayCapacityUp(Payment& play)
{
    BoardState& b = s_.board;
    if (b.threadMax <= 10) {
        if (ThreadAt(11).stopFlag)
            RemoveThread(11);
        MoveUp(11, b.threadMax);
        SortThreads();
        ++b.threadMax;
        play.Announce(CapacityUp, {}, b.threadMax);
    }
    play.count = -1;
}

void Rules::PayCapacityDown(Payment& play)
{
    BoardState& b = s_.board;
    if (b.threadMax >= 6) {
        const int p = b.threadMax - 1;
        if (b.threadMax == b.threadCount) {
            // The board is full: its last live thread drops off and is rated below.
            play.Retarget(p, b);
            play.finish = true;
        } else {
            MoveDown(p, 11);
            SortThreads();
        }
        --b.threadMax;
        play.Announce(CapacityDown, {}, b.threadMax);
    }
    play.count = -1;
}

void Rules::PayDelete(Payment& play)
{
    play.count = -1;
    play.Announce(ThreadDeleted, SpecialRef(SpecialText::Deleted + s_.rng.Below(2)), play.thread->owner);
    RemoveThread(play.position);
    --s_.board.threadCount;
}

void Rules::PayAbone(Payment& play)
{
    play.count = -1;
    play.thread->size = play.thread->size / 4;
    SetAbone(play.slot);
    play.Announce(AboneAll, PositionText(play.position), play.thread->owner);
}

void Rules::PayTroll(Payment& play)
{
    TrollRaid(play.cardNo);
    // The raid reorders the board: a target it pushes to a thousand must be finished where it
    // now stands, not the thread that took its old position.
    const auto& order = s_.board.order;
    play.position = static_cast<int>(std::find(order.begin(), order.end(), play.slot) - order.begin());
    play.count = -1;
    play.Announce(TrollRevealed, CardResText(play.cardNo), play.player);
    play.eventScore = -10;
    play.scoreMode = 0;
}

void Rules::PayThreadCard(Payment& play)
{
    NewThread(play.player, play.cardNo, CardColour(play.cardNo), CardSize(play.cardNo));
    play.Retarget(0, s_.board);
    play.agesage = 0;
    play.count = 1;
    play.size = 1;
    play.text = {TextRef::ThreadRes, static_cast<int16_t>(play.cardNo),
                 static_cast<int16_t>(s_.rng.Below(20))};
    play.priority = true;
}

void Rules::Settle(Payment& play, CardFamily family)
{
    ThreadState& thread = *play.thread;
    if (play.count >= 1) {
        if (play.count % 10 == 0)
            play.count -= thread.resNum % 10;
        if (play.size + thread.size > MaxSize) {
            if (play.count > 1)
                play.count -= s_.rng.Below(3) + 1;
            // A trimmed count of 0 would overwrite the newest post; one response always lands.
            play.count = std::max(play.count, 1);
            play.size = MaxSize - thread.size;
        }
        thread.size += play.size;
        if (thread.size == MaxSize && play.eventIndex == ThousandRace)
            play.eventIndex = -1;
        // The player posts under his own ID; a player without one gets a fresh one each time.
        const std::string& own = s_.players[play.player].id;
        std::array<char, 8> id{};
        const bool hasId = own.size() == id.size();
        if (hasId)
            std::copy(own.begin(), own.end(), id.begin());
        AddPosts(play.slot, play.count, play.name, hasId ? &id : nullptr, play.agesage, play.kind, play.text,
                 play.priority, play.gotMode);
        thread.resNum += play.count;
    }

    if (play.eventIndex > 0)
        Happen(Happening::Kind::Event, play.eventIndex, play.eventText, play.eventTarget, play.eventScore);
    if (play.eventScore != 0)
        AddScore(play.player, play.eventScore, play.scoreMode);

    if (play.player == thread.owner && CardColour(play.cardNo) == 0)
        ++thread.jienCount;

    if (thread.size == MaxSize) {
        Happen(Happening::Kind::Event, SizeOver, PositionText(play.position), thread.owner, 0);
        play.finish = true;
    } else if (thread.resNum % 100 == 0 && thread.resNum <= 1000 && IsResponseCard(play.cardIndex)) {
        PayMilestone(thread, play.position, play.player);
    }

    if (thread.resNum >= 1000) {
        play.finish = true;
        thread.resNum = 1001;
    }

    if (thread.resNum > 0) {
        // These cards leave the thread where it stands; the others bring it to the top.
        const bool staysInPlace = family == CardFamily::AccessBan || family == CardFamily::CapacityUp ||
                                  family == CardFamily::CapacityDown || family == CardFamily::Troll;
        if (play.finish) {
            FinishThread(play.position);
            if (family != CardFamily::CapacityDown)
                RemoveThread(11);
        } else if (!staysInPlace) {
            MoveUp(play.position, 0);
        }
    }
    SortThreads();

    s_.LastCardWait = WaitCost(play.cardIndex, play.size);
}

void Rules::PayMilestone(ThreadState& thread, int position, int player)
{
    const int32_t resNum = thread.resNum;
    int32_t eventIndex = 20 + std::min(resNum / 100, 10);
    TextRef eventText = PositionText(position);
    int32_t score = resNum <= 600 ? 10 : 20;
    if (resNum == 1000) {
        score = thread.ikusaFlag ? 100 : 50;
        if (thread.ikusaFlag)
            eventIndex = ThousandRaceBonus;
    }
    const int32_t mark = thread.browserCrash;
    if (mark == 0) {
        thread.browserCrash = 1;
    } else if (mark == 2 || mark == 3 || mark == 6) {
        eventIndex = BrowserCrashHit;
        eventText = SpecialRef(SpecialText::BrowserCrash + s_.rng.Below(2));
        score *= -2;
        thread.browserCrash = 3;
    }
    Happen(Happening::Kind::Event, eventIndex, eventText, player, score);
    AddScore(player, score, 1);
}

void Rules::TrollRaid(int cardNo)
{
    const int n = s_.board.threadCount;
    std::array<int, BoardPositions> perm{};
    std::iota(perm.begin(), perm.end(), 0);
    for (int i = 0; i < n; ++i)
        std::swap(perm[i], perm[s_.rng.Below(n)]);

    for (int i = 0; i < n; ++i) {
        ThreadState& thread = ThreadAt(perm[i]);
        if (thread.stopFlag || thread.resNum <= 0)
            continue;
        const int32_t resNum = thread.resNum;
        const int32_t k = resNum >= 990 ? 1 : (resNum >= 950 ? 10 : (s_.rng.Below(4) + 1) * 10);
        const TextRef text = CardResText(cardNo);
        AddPosts(s_.board.order[perm[i]], k, -1, nullptr, 0, Post::Plain, text, true, 0);
        thread.resNum = resNum + k;
        thread.agesage = 0;
        if (s_.rng.Chance(0.7))
            thread.color = s_.rng.Below(3) + 1;
        if (s_.rng.Chance(0.25))
            thread.judgeFlag = s_.rng.Below(3);
        if (s_.rng.Chance(0.1))
            thread.owner = s_.rng.Below(4);
    }

    EndFesta(1);
    EndFesta(2);
    EndFesta(3);
    for (int i = 0; i < n; ++i)
        std::swap(s_.board.order[i], s_.board.order[perm[i]]);
    SortThreads();
}
