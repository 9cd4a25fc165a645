#include "rules/Rules.h"

#include "rules/EventId.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int RainbowFirst = 45;

// Response definitions left out of a normal game.
constexpr std::array<int, 12> NormalExcluded = {0, 4, 9, 10, 12, 17, 21, 26, 29, 31, 34, 39};

bool IsExcluded(int m)
{
    return std::find(NormalExcluded.begin(), NormalExcluded.end(), m) != NormalExcluded.end();
}

// Counters stop at the ends of their range rather than wrap round to the opposite sign.
int32_t SaturatingAdd(int32_t a, int32_t b)
{
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(
        std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

void Rules::Happen(Happening::Kind kind, int32_t eventIndex, TextRef text, int32_t target, int32_t score)
{
    const Happening happening{kind, eventIndex, text, target, score};
    if (record_ != nullptr)
        record_->push_back(happening);
    if (watcher_ != nullptr)
        watcher_->Happened(happening);
}

std::array<char, 8> Rules::MakeId()
{
    static constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/+";
    const std::array<uint8_t, 8> drawn = s_.rng.EightBelow(64);
    std::array<char, 8> id{};
    for (size_t i = 0; i < id.size(); ++i)
        id[i] = Alphabet[drawn[i]];
    return id;
}

TextRef Rules::CardResText(int cardNo)
{
    const int def = CardDef(cardNo);
    const std::array<int32_t, 5>& running = t_.RunningWeights(def);
    if (running[4] <= 0)
        return {};
    const int r = s_.rng.Below(running[4]);
    for (int i = 0; i < 5; ++i) {
        if (r < running[i])
            return {TextRef::CardRes, static_cast<int16_t>(def), static_cast<int16_t>(i)};
    }
    return {};
}

void Rules::CharacterInit(int32_t nameIndex, int32_t colour)
{
    Rng& rng = s_.rng;
    if (nameIndex < 0 || nameIndex > 7)
        nameIndex = 0;
    if (colour < 0 || colour > 3)
        colour = 0;

    std::array<int32_t, 4> colourOrder = {0, 1, 2, 3};
    std::array<int32_t, 8> nameOrder = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int k = 0; k < 4; ++k)
        std::swap(colourOrder[k], colourOrder[rng.Below(4)]);
    for (int k = 0; k < 8; ++k)
        std::swap(nameOrder[k], nameOrder[rng.Below(8)]);

    int m = 0;
    while (colourOrder[m] != colour)
        ++m;
    int a = 0;
    while (nameOrder[a] != nameIndex)
        ++a;
    for (int p = 0; p < PlayerCount; ++p) {
        PlayerData& d = s_.players[p];
        d.color = colourOrder[(p + m) % 4];
        d.nameIndex = nameOrder[(p + a) % 8];
        const std::array<char, 8> id = MakeId();
        d.id.assign(id.begin(), id.end());
    }
    s_.turnCount = -1;
}

void Rules::BeginDeal()
{
    s_.scores.fill(PlayerScore{});
    BoardInit();
    s_.firstPlayer = s_.rng.Below(4);
}

void Rules::DealCards(const ThreadDeal& threads)
{
    Rng& rng = s_.rng;
    CardsState& c = s_.cards;
    const bool extra = (s_.GameMode & ModeExtra) != 0;

    s_.threads = threads;
    c.crashMark.fill(0);
    c.godColour = rng.Below(3) + 1;

    std::array<int32_t, 3> counts{};
    counts.fill(extra ? 15 : 9);
    counts[rng.Below(3)] = extra ? 14 : 10;
    const int32_t threadTotal = counts[0] + counts[1] + counts[2];

    std::array<int32_t, PileSize>& pile = c.pile;
    pile.fill(NO_CARD);
    int at = 0;
    for (int i = 0; i < 3; ++i) {
        for (int b = 0; b < counts[i]; ++b)
            pile[at++] = 15 * i + b;
    }
    const auto appendDefinition = [&](int m) {
        for (int colour = 0; colour < 4; ++colour)
            pile[at++] = RainbowFirst + 48 * colour + m;
    };
    const auto appendCopies = [&](int cardNo, int copies) {
        for (int k = 0; k < copies; ++k)
            pile[at++] = cardNo;
    };
    if (!extra) {
        for (int m = 0; m < 48; ++m) {
            if (!IsExcluded(m))
                appendDefinition(m);
        }
        appendCopies(237, 1);
        appendCopies(238, 1);
        appendCopies(239, 6);
        for (int cardNo = 240; cardNo <= 245; ++cardNo)
            appendCopies(cardNo, 4);
    } else {
        for (int m = 0; m < 48; ++m)
            appendDefinition(m);
        for (int m = 0; m < 48; ++m)
            appendCopies(RainbowFirst + m, 1);
        appendCopies(237, 1);
        appendCopies(238, 1);
        appendCopies(243, 2);
        appendCopies(239, 8);
        appendCopies(240, 4);
        appendCopies(241, 6);
        appendCopies(242, 6);
        appendCopies(243, 4);
        appendCopies(244, 6);
        appendCopies(245, 6);
    }

    // Thread cards stay in the top rows, mixed within each column.
    const int rowsOfThreads = threadTotal / 4;
    for (int k = 0; k < 4; ++k) {
        for (int o = 0; o < rowsOfThreads; ++o)
            std::swap(pile[4 * o + k], pile[4 * rng.Below(rowsOfThreads) + k]);
    }

    const int lastMarked = extra ? 15 : 11;
    for (int t = 8; t <= lastMarked; ++t)
        c.crashMark[pile[t]] = 2;

    const int n = CardMax();
    const int rows = n / 4;
    if ((s_.GameMode & ModeDeck) != 0) {
        // Without this pass a response row holds one definition in all four colours, column by
        // column, so every deck would be of a single colour.
        for (int j = rowsOfThreads; j < rows; ++j) {
            for (int k = 0; k < 4; ++k)
                std::swap(pile[4 * j + k], pile[4 * j + rng.Below(4)]);
        }
        // Rows 0 and 1 stay: every deck opens with two thread cards.
        for (int k = 0; k < 4; ++k) {
            for (int b = 2; b < rows; ++b)
                std::swap(pile[4 * b + k], pile[4 * (rng.Below(rows - 2) + 2) + k]);
        }
    } else {
        for (int t = 8; t < n; ++t)
            std::swap(pile[t], pile[rng.Below(n - 8) + 8]);
    }
    c.drawCount = 0;
}

void Rules::ShowDeck(int column)
{
    const int n = CardMax() / 4;
    for (int i = 0; i < n; ++i) {
        const int32_t cardNo = s_.cards.pile[column + 4 * i];
        // The player has seen where the traps are: they no longer catch him.
        if (cardNo < ThreadCardCount && s_.cards.crashMark[cardNo] == 2)
            s_.cards.crashMark[cardNo] = 6;
    }
}

std::vector<int32_t> Rules::DeckPreview(int column) const
{
    const int n = CardMax() / 4;
    std::vector<int32_t> list(n);
    for (int i = 0; i < n; ++i)
        list[i] = s_.cards.pile[column + 4 * i];
    std::sort(list.begin(), list.end());
    // One special card of every deck stays a surprise.
    const int32_t hiddenKind = (s_.GameMode & ModeExtra) != 0 ? 243 : 239;
    for (int i = 0; i < n; ++i) {
        if (list[i] == 237 || list[i] == 238 || list[i] == hiddenKind) {
            list.erase(list.begin() + i);
            list.push_back(-1);
            break;
        }
    }
    return list;
}

int32_t Rules::NextCard(int player)
{
    CardsState& c = s_.cards;
    if (CardsOut())
        return -1;
    int32_t card = 0;
    if ((s_.GameMode & ModeDeck) != 0) {
        PlayerData& p = s_.players[player];
        // An exhausted own deck gives nothing and counts nothing.
        if (p.myCardCount >= CardMax() / 4)
            return NO_CARD;
        card = c.pile[4 * p.myCardCount + player];
        ++p.myCardCount;
    } else {
        card = c.pile[c.drawCount];
    }
    if (player == 0 && card < ThreadCardCount && c.crashMark[card] == 2)
        c.crashMark[card] = 6;
    ++c.drawCount;
    return card;
}

void Rules::DealHands()
{
    s_.LastCardWait = 0;
    for (int p = 0; p < PlayerCount; ++p) {
        PlayerData& d = s_.players[p];
        d.currentCard = 0;
        d.currentThread = 0;
        d.stopCount = 0;
        d.myCardCount = 0;
        d.waitCount = 2 * ((p + 4 - s_.firstPlayer) % 4);
    }
    for (int k = 0; k < HandSlots; ++k) {
        for (int p = 0; p < PlayerCount; ++p)
            s_.players[p].handCard[k] = NextCard(p);
    }
}

std::array<int, 4> Rules::OpeningOrder() const
{
    std::array<int, 4> order{};
    for (int d = 0; d < 4; ++d)
        order[d] = (d + 4 - s_.firstPlayer) % 4;
    return order;
}

void Rules::OpenThread(int player, int32_t date)
{
    date_ = date;
    PayCard(0, s_.players[player].handCard[0], player);
}

void Rules::DrawOpening(int player)
{
    s_.players[player].handCard[0] = NextCard(player);
    SortHand(player);
}

int32_t Rules::CurrentPlayer() const
{
    if ((s_.GameMode & ModeHarsh) != 0) {
        for (int p = 0; p < PlayerCount; ++p) {
            if (s_.players[p].waitCount <= 0)
                return p;
        }
        return 4;
    }
    if (s_.turnCount < 0)
        return s_.firstPlayer;
    return (s_.firstPlayer + s_.turnCount) % 4;
}

int32_t Rules::NextMover()
{
    ++s_.turnCount;
    return (s_.GameMode & ModeHarsh) != 0 ? NextHarshMover() : NextMaatariMover();
}

int32_t Rules::NextMaatariMover()
{
    for (;;) {
        const int cur = CurrentPlayer();
        PlayerData& p = s_.players[cur];
        if (p.stopCount == 0)
            return cur;
        if (p.stopCount == 1) {
            p.stopCount = 0;
            Happen(Happening::Kind::Board);
            Happen(Happening::Kind::Event, BanLifted, {TextRef::Special, SpecialText::BanLifted, 0}, cur);
            return cur;
        }
        Happen(Happening::Kind::Board);
        Happen(Happening::Kind::Event, StillBanned, {TextRef::Special, SpecialText::StillBanned, 0}, cur);
        p.stopCount -= 1;
        // A banned player still loses his turn's card, so every deck stays the same length.
        if ((s_.GameMode & ModeDeck) != 0)
            NextCard(cur);
        ++s_.turnCount;
    }
}

int32_t Rules::NextHarshMover()
{
    // The last mover still has the lowest count at or below zero: he pays for his card now.
    const int last = CurrentPlayer();
    if (last < 4)
        AddWaitCount(last, s_.LastCardWait);
    while (CurrentPlayer() == 4) {
        CountDownWaits();
        Happen(Happening::Kind::Countdown);
    }
    return CurrentPlayer();
}

void Rules::CountDownWaits()
{
    bool boundary = false;
    while (!boundary) {
        for (int i = 0; i < PlayerCount; ++i) {
            PlayerData& p = s_.players[i];
            p.waitCount -= 1;
            if (MyCardLast(i) != 0) {
                if (p.waitCount % 10 == 0)
                    boundary = true;
            } else if (p.waitCount < 300) {
                // Out of cards: kept out of reach so that he never moves again.
                AddWaitCount(i, 300);
            }
        }
    }
}

void Rules::CardEnableCheck(int player)
{
    PlayerData& p = s_.players[player];
    const Openings openings = Survey();
    uint32_t any = 0;
    for (int slot = 0; slot < HandSlots; ++slot) {
        const int32_t card = p.handCard[slot];
        // An empty slot only occurs once the cards have run out; it can go nowhere.
        const uint32_t positions = card == NO_CARD ? 0 : PositionsFor(card, openings);
        for (int position = 0; position < BoardPositions; ++position)
            p.enable[position][slot] = ((positions >> position) & 1U) != 0;
        any |= positions;
    }
    p.enableCard = any != 0;
}

void Rules::BeginTurn(int player)
{
    CardEnableCheck(player);
    if (!s_.players[player].enableCard)
        Happen(Happening::Kind::Event, Deadlock, {TextRef::Special, SpecialText::NoPlayableCard, 0}, player);
}

std::optional<CardPlay> Rules::PlayAtCursor(int player) const
{
    const PlayerData& p = s_.players[player];
    const int32_t slot = p.currentCard;
    const int32_t position = p.currentThread;
    const int32_t card = p.handCard[slot];
    // A click may put the cursor on an empty slot; there is nothing to play or discard there.
    if (card == NO_CARD)
        return std::nullopt;
    if (p.enableCard && !p.enable[position][slot])
        return std::nullopt;
    return CardPlay{player, slot, card, position, !p.enableCard};
}

void Rules::Resolve(const CardPlay& play)
{
    // Nothing can be played anywhere: the card leaves the game unresolved.
    if (!play.discard)
        PayCard(play.position, play.cardNo, play.player);
}

void Rules::Replenish(const CardPlay& play)
{
    PlayerData& p = s_.players[play.player];
    int32_t fresh = -1;
    if (CardsOut()) {
        p.handCard[play.slot] = NO_CARD;
    } else {
        fresh = NextCard(play.player);
        p.handCard[play.slot] = fresh;
    }
    SortHand(play.player);

    p.currentCard = 0;
    if (fresh >= 0 && fresh != NO_CARD) {
        for (int i = 0; i < HandSlots; ++i) {
            if (p.handCard[i] == fresh) {
                p.currentCard = i;
                break;
            }
        }
    }
}

void Rules::LiftBans()
{
    for (PlayerData& p : s_.players)
        p.stopCount = 0;
}

void Rules::AddWaitCount(int player, int32_t cost)
{
    s_.players[player].waitCount += ((cost + 9) / 10) * 10;
}

void Rules::MoveCurrentCard(int player, int step)
{
    PlayerData& p = s_.players[player];
    int i = (p.currentCard + step + 10) % 10;
    if (i < 0)
        i += 10;
    while (p.handCard[i] == NO_CARD && i > 0)
        --i;
    p.currentCard = i;
}

void Rules::MoveCurrentThread(int player, int step)
{
    PlayerData& p = s_.players[player];
    int i = (p.currentThread + step + 12) % 12;
    if (i < 0)
        i += 12;
    p.currentThread = i;
}

void Rules::SortHand(int player)
{
    std::array<int32_t, HandSlots>& hand = s_.players[player].handCard;
    std::sort(hand.begin(), hand.end());
}

void Rules::AddScore(int player, int32_t points, int32_t scoreMode)
{
    if (player < 0 || player >= PlayerCount)
        return;
    PlayerScore& s = s_.scores[player];
    switch (scoreMode) {
    case 0:
        s.threadPoints = SaturatingAdd(s.threadPoints, points);
        break;
    case 1:
        s.resPoints = SaturatingAdd(s.resPoints, points);
        break;
    case 2:
        s.otherPoints = SaturatingAdd(s.otherPoints, points);
        break;
    default:
        break;
    }
    s.total = SaturatingAdd(s.total, points);
    SetRank();
}

void Rules::AddThread(int player, int32_t resNum)
{
    if (player < 0 || player >= PlayerCount)
        return;
    PlayerScore& s = s_.scores[player];
    s.finishedThreads = SaturatingAdd(s.finishedThreads, 1);
    s.finishedRes = SaturatingAdd(s.finishedRes, resNum);
}

void Rules::SetRank()
{
    // Competition ranking: equal totals share the better rank and the next rank skips past them.
    for (int p = 0; p < PlayerCount; ++p) {
        int32_t above = 0;
        for (int q = 0; q < PlayerCount; ++q) {
            if (s_.scores[q].total > s_.scores[p].total)
                ++above;
        }
        s_.scores[p].rank = above + 1;
    }
}

int32_t Rules::GetThreadPoint(int32_t resNum)
{
    if (resNum >= 1000)
        return 100;
    if (resNum >= 950)
        return 80;
    if (resNum >= 900)
        return 70;
    if (resNum >= 850)
        return 50;
    if (resNum >= 800)
        return 30;
    if (resNum >= 700)
        return 20;
    return 0;
}
