#include "rules/EventId.h"
#include "rules/Rules.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int LastPosition = BoardPositions - 1;
constexpr int MinutesOfDay = 24 * 60;
constexpr int LateNightMinute = 23 * 60;
constexpr int MorningMinute = 8 * 60;

bool IsLive(const ThreadState& t)
{
    return t.resNum >= 1 && !t.stopFlag;
}

bool InRange(int32_t v, int32_t low, int32_t high)
{
    return v >= low && v <= high;
}

bool IsThreadEnable(const ThreadState& t)
{
    if (t.resNum < 1 || t.stopFlag)
        return false;
    if (t.gotFlag != 0)
        return t.gotFlag != 3;
    return t.festaFlag < 2;
}

void ClearThread(ThreadState& t)
{
    t = ThreadState{};
}

} // namespace

void Rules::BoardInit()
{
    BoardState& b = s_.board;
    for (int slot = 0; slot < BoardPositions; ++slot) {
        ClearThread(b.threads[slot]);
        b.order[slot] = slot;
    }
    b.threadCount = 0;
    b.threadMax = 8;
}

bool Rules::IsEnableCard(int cardNo, int position) const
{
    if (position < 0 || position >= BoardPositions)
        return false;
    return ((PositionsFor(cardNo, Survey()) >> position) & 1U) != 0;
}

Rules::Openings Rules::Survey() const
{
    const BoardState& b = s_.board;
    Openings o;
    const int32_t mover = CurrentPlayer();
    const int open = std::clamp(b.threadMax, 0, BoardPositions);
    o.open = (1U << open) - 1U;
    o.anyThread = b.threadCount > 0;
    // The admin and the god mark every slot, so slot 0 speaks for the whole board.
    o.threadCards = b.threads[0].gotFlag <= 0;
    for (int position = 0; position < open; ++position) {
        const ThreadState& t = ThreadAt(position);
        const uint32_t bit = 1U << position;
        if (IsThreadEnable(t))
            o.live |= bit;
        if (t.gotFlag == 0)
            o.unmarked |= bit;
        if (t.gotFlag == 1 || t.gotFlag == 2)
            o.blessed |= bit;
        if (t.jienCount == 3)
            o.jien3 |= bit;
        if (t.owner != mover)
            o.othersOwn |= bit;
        o.colour[position] = t.color;
        o.agesage[position] = t.agesage;
        if (t.color >= 0 && t.color < static_cast<int>(o.colourAt.size()))
            o.colourAt[t.color] |= bit;
        for (int level = 0; level < static_cast<int>(o.sageOk.size()); ++level) {
            if (level >= t.agesage)
                o.sageOk[level] |= bit;
        }
    }
    return o;
}

bool Rules::ThreadCardAllowed(int32_t colour) const
{
    const BoardState& b = s_.board;
    if (b.threadCount == 0)
        return true;
    for (const ThreadState& thread : b.threads) {
        if (thread.color == colour)
            return thread.festaFlag == 0;
    }
    return true;
}

uint32_t Rules::PositionsFor(int cardNo, const Openings& o) const
{
    if (cardNo < ThreadCardCount)
        return o.threadCards && ThreadCardAllowed(CardColour(cardNo)) ? o.open : 0;
    const CardFacts& f = t_.Facts(cardNo);
    const int32_t colour = CardColour(cardNo);
    const bool usual = colour >= 0 && colour < static_cast<int>(o.colourAt.size()) && f.agesage >= 0 &&
                       f.agesage < static_cast<int>(o.sageOk.size());
    uint32_t sameColour = usual ? o.colourAt[colour] : 0;
    uint32_t sageOk = usual ? o.sageOk[f.agesage] : 0;
    for (int position = 0; !usual && position < BoardPositions; ++position) {
        if (o.colour[position] == colour)
            sameColour |= 1U << position;
        if (f.agesage >= o.agesage[position])
            sageOk |= 1U << position;
    }
    if (f.response) {
        // A rainbow card goes on any colour but not on a thread that has had three of them.
        const bool rainbow = colour == 0;
        const uint32_t fits = (rainbow ? ~o.jien3 : sameColour) & sageOk;
        return o.live & (o.blessed | fits);
    }
    switch (f.definition) {
    case AdminCard:
    case TrueStopperCard:
    case DeleteCard:
        return o.live & o.unmarked;
    case GodCard:
        return o.live & o.unmarked & sameColour;
    case AccessBanCard:
        return o.live & o.unmarked & o.othersOwn;
    case CapacityUpCard:
    case CapacityDownCard:
        return o.open;
    case AboneCard:
        return o.live;
    case TrollCard:
        return o.anyThread ? o.open & o.unmarked : 0;
    default:
        return 0;
    }
}

TextRef Rules::FillerText(const ThreadState& thread, int32_t gotMode)
{
    switch (gotMode) {
    case 0: {
        const int pick = s_.rng.Below(20);
        if (!InRange(thread.resIndex, 0, ThreadCardCount - 1))
            return {};
        return {TextRef::ThreadRes, static_cast<int16_t>(thread.resIndex), static_cast<int16_t>(pick)};
    }
    case 1:
        return {
            TextRef::Special,
            static_cast<int16_t>(SpecialText::AdminGreetings + s_.rng.Below(SpecialText::AdminGreetingCount)),
            0};
    case 2:
        return {TextRef::Special,
                static_cast<int16_t>(SpecialText::GodGreetings + s_.rng.Below(SpecialText::GodGreetingCount)),
                0};
    default:
        return {};
    }
}

void Rules::AddPosts(int slot, int32_t count, int8_t name, const std::array<char, 8>* id, int32_t agesage,
                     uint8_t kind, TextRef text, bool priority, int32_t gotMode)
{
    // A negative count would shift entries from beyond the list; nothing sensible can be posted.
    if (count < 0)
        return;
    ThreadState& thread = s_.board.threads[slot];
    std::array<Post, 8>& posts = thread.posts;
    if (count <= 7) {
        for (int i = 7; i >= count; --i)
            posts[i] = posts[i - count];
    }
    const int k = std::min(count, 8);
    const int32_t last = std::min(count + posts[0].number, 1000);
    if (last >= 2) {
        for (int i = k - 1; i >= 1; --i) {
            Post& filler = posts[i];
            filler = Post{};
            filler.number = static_cast<int16_t>(last - i);
            filler.agesage = static_cast<int8_t>(agesage);
            filler.id = MakeId();
            filler.date = date_;
            filler.text = FillerText(thread, gotMode);
        }
    }

    Post main;
    main.number = static_cast<int16_t>(last);
    main.kind = kind;
    main.name = name;
    main.agesage = static_cast<int8_t>(agesage);
    if (kind == Post::Plain)
        main.id = id != nullptr ? *id : MakeId();
    main.date = date_;
    main.text = text;
    if (!priority && !thread.noClockText && kind == Post::Plain) {
        const int minute = ((date_ % MinutesOfDay) + MinutesOfDay) % MinutesOfDay;
        if (minute == LateNightMinute)
            main.text = {TextRef::Special, SpecialText::LateNight, 0};
        else if (minute == MorningMinute)
            main.text = {TextRef::Special, SpecialText::Morning, 0};
    }
    if (t_.IsEmpty(main.text, s_.threads))
        main.text = FillerText(thread, gotMode);
    posts[0] = main;

    if (last == 1000) {
        for (int i = 7; i >= 1; --i)
            posts[i] = posts[i - 1];
        posts[0] = Post{};
        posts[0].number = 1001;
        posts[0].kind = Post::Closing;
    }
}

void Rules::SetAbone(int slot)
{
    std::array<Post, 8>& posts = s_.board.threads[slot].posts;
    if (posts[0].number == 0)
        return;
    const int last = std::min(posts[0].number - 1, 7);
    for (int i = 0; i <= last; ++i) {
        posts[i].agesage = 1;
        posts[i].kind = Post::Abone;
    }
}

void Rules::SetGotFlags(int slot, int32_t value)
{
    for (int i = 0; i < BoardPositions; ++i)
        s_.board.threads[i].gotFlag = i == slot ? value : 3;
}

void Rules::ClearGotFlags()
{
    for (ThreadState& thread : s_.board.threads)
        thread.gotFlag = 0;
}

void Rules::StartFesta(int slot)
{
    const int32_t color = s_.board.threads[slot].color;
    for (int i = 0; i < BoardPositions; ++i) {
        if (s_.board.threads[i].color == color)
            s_.board.threads[i].festaFlag = i == slot ? 1 : 2;
    }
}

void Rules::EndFesta(int32_t color)
{
    for (ThreadState& thread : s_.board.threads) {
        if (thread.color == color)
            thread.festaFlag = 0;
    }
}

void Rules::MoveUp(int from, int to)
{
    for (int k = from; k >= to + 1; --k)
        std::swap(s_.board.order[k], s_.board.order[k - 1]);
}

void Rules::MoveDown(int from, int to)
{
    for (int k = from; k <= to - 1; ++k)
        std::swap(s_.board.order[k], s_.board.order[k + 1]);
}

void Rules::NewThread(int player, int cardNo, int32_t color, int32_t browserCrash)
{
    BoardState& b = s_.board;
    if (b.threadMax == b.threadCount) {
        FinishThread(b.threadMax - 1);
        RemoveThread(LastPosition);
        MoveUp(LastPosition, 0);
    } else {
        MoveUp(b.threadMax - 1, 0);
    }
    ThreadState& t = ThreadAt(0);
    t.resIndex = cardNo;
    t.owner = player;
    t.color = color;
    t.browserCrash = browserCrash;
    t.resNum = 0;
    t.noClockText = s_.rng.Chance(0.25);
    b.threadCount = std::min(b.threadCount + 1, b.threadMax);
}

void Rules::RemoveThread(int position)
{
    ThreadState& thread = ThreadAt(position);
    if (thread.resNum <= 0)
        return;
    if (thread.gotFlag == 1 || thread.gotFlag == 2)
        ClearGotFlags();
    if (thread.festaFlag == 1)
        EndFesta(thread.color);
    const bool blockedByOther = thread.gotFlag == 3;
    ClearThread(thread);
    // The admin or the god elsewhere closed every slot, this one too: emptied, it would let thread
    // cards and trolls back in while they stay.
    if (blockedByOther)
        thread.gotFlag = 3;
}

void Rules::FinishThread(int position)
{
    ThreadState& thread = ThreadAt(position);
    if (thread.resNum < 1)
        return;
    if (thread.gotFlag == 1 || thread.gotFlag == 2)
        ClearGotFlags();
    if (thread.festaFlag == 1)
        EndFesta(thread.color);
    thread.stopFlag = true;
    AddThread(thread.owner, thread.resNum);

    const int32_t r = std::max((thread.resNum - 650) / 50, 0);
    int32_t eventIndex = r == 0 ? ThreadEnd : (r == 1 ? ThreadEndBonus : r + 49);
    int32_t points = GetThreadPoint(thread.resNum);
    if (r > 0) {
        if (thread.judgeFlag == 1) {
            eventIndex += 6;
            points = points * 15 / 10;
        } else if (thread.judgeFlag == 2) {
            eventIndex += 12;
            points = points / 2;
        }
    }
    --s_.board.threadCount;
    Happen(Happening::Kind::Event, eventIndex, {TextRef::Position, static_cast<int16_t>(position), 0},
           thread.owner, points);
    AddScore(thread.owner, points, 0);
}

void Rules::SortThreads()
{
    for (int i = 0; i <= LastPosition - 1; ++i) {
        if (IsLive(ThreadAt(i)))
            continue;
        int j = i + 1;
        while (j <= LastPosition && !IsLive(ThreadAt(j)))
            ++j;
        if (j > LastPosition)
            break;
        MoveUp(j, i);
    }
    for (int k = LastPosition; k >= 1; --k) {
        if (ThreadAt(k).stopFlag)
            continue;
        int j = k - 1;
        while (j >= 0 && !ThreadAt(j).stopFlag)
            --j;
        if (j < 0)
            break;
        MoveDown(j, k);
    }
    if (ThreadAt(LastPosition).stopFlag) {
        while (!ThreadAt(s_.board.threadMax).stopFlag)
            MoveDown(s_.board.threadMax, LastPosition);
    }
}

void Rules::FinishBoard()
{
    Happen(Happening::Kind::Event, GameEnd, {TextRef::Special, SpecialText::CardsOut, 0});
    while (ThreadAt(0).resNum >= 1) {
        FinishThread(0);
        RemoveThread(LastPosition);
        SortThreads();
        Happen(Happening::Kind::Board);
    }
}
