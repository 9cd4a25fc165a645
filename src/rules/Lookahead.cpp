#include "rules/Lookahead.h"

#include "rules/Evaluator.h"
#include "rules/Playout.h"
#include "rules/Rules.h"

#include <algorithm>

namespace {

// Deals the values of the given places among them at random. They are sorted first, so the deal
// depends only on which values there are, never on where they lay.
void DealAmong(const std::vector<int32_t*>& places, Rng& rng)
{
    std::vector<int32_t> values;
    values.reserve(places.size());
    for (const int32_t* place : places)
        values.push_back(*place);
    std::sort(values.begin(), values.end());
    for (int i = static_cast<int>(values.size()) - 1; i > 0; --i)
        std::swap(values[i], values[rng.Below(i + 1)]);
    for (size_t i = 0; i < places.size(); ++i)
        *places[i] = values[i];
}

// The lines are posted at noon of the first day: a date of their own keeps a decision the same at
// any time of day, and no greeting of the hour is posted at noon.
constexpr int32_t LineDate = 12 * 60;

bool IsTrap(int32_t mark)
{
    return mark == 2 || mark == 6;
}

} // namespace

Lookahead::Lookahead(const RuleTables& tables, const MatchState& state, int player, uint64_t seed)
    : tables_(tables), root_(state), player_(player), rng_(seed, true)
{
    FindCandidates();
}

void Lookahead::FindCandidates()
{
    const Rules rules(tables_, root_);
    const Evaluator evaluator(rules);
    const PlayerData& p = root_.players[player_];
    struct Ranked {
        Candidate move;
        int32_t cardNo = 0;
        int32_t score = 0;
    };
    std::vector<Ranked> ranked;
    // Two copies of a card on the same thread are the same move.
    const auto seen = [&ranked](int32_t cardNo, int position) {
        return std::any_of(ranked.begin(), ranked.end(), [&](const Ranked& r) {
            return r.cardNo == cardNo && r.move.position == position;
        });
    };
    for (int slot = 0; slot < HandSlots; ++slot) {
        const int32_t cardNo = p.handCard[slot];
        if (cardNo == NO_CARD)
            continue;
        if (!p.enableCard) {
            // Nothing fits: the candidates are the cards to throw away.
            if (!seen(cardNo, 0))
                ranked.push_back({{slot, 0, 0}, cardNo, 0});
            continue;
        }
        for (int position = 0; position < BoardPositions; ++position) {
            if (p.enable[position][slot] && !seen(cardNo, position))
                ranked.push_back({{slot, position, 0}, cardNo, evaluator.Evaluate(player_, slot, position)});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Ranked& a, const Ranked& b) { return a.score > b.score; });
    for (const Ranked& r : ranked) {
        if (static_cast<int>(candidates_.size()) == MaxCandidates)
            break;
        candidates_.push_back(r.move);
    }
}

bool Lookahead::Think(int lines)
{
    for (; lines > 0 && !Done(); --lines) {
        if (next_ == 0)
            Sample();
        candidates_[next_].value += PlayLine(candidates_[next_]);
        if (++next_ == static_cast<int>(candidates_.size())) {
            next_ = 0;
            ++sample_;
        }
    }
    return Done();
}

int32_t Lookahead::Choice() const
{
    if (candidates_.empty())
        return 0;
    const auto best =
        std::max_element(candidates_.begin(), candidates_.end(),
                         [](const Candidate& a, const Candidate& b) { return a.value < b.value; });
    return best->position * 10 + best->slot;
}

std::vector<int64_t> Lookahead::Worths() const
{
    std::vector<int64_t> worths;
    for (const Candidate& candidate : candidates_)
        worths.push_back(candidate.value);
    return worths;
}

void Lookahead::Sample()
{
    sampled_ = root_;
    ShuffleUnseenCards();
    ShuffleTraps();
    // Every candidate of a sample is played on with the same draws, so that they differ only by the
    // move.
    lineSeed_ =
        (static_cast<uint64_t>(rng_.Below(1 << 24)) << 24) | static_cast<uint64_t>(rng_.Below(1 << 24));
}

void Lookahead::ShuffleUnseenCards()
{
    MatchState& s = sampled_;
    const int cardMax = Rules(tables_, s).CardMax();
    const bool deck = (s.GameMode & ModeDeck) != 0;
    const int rows = cardMax / PlayerCount;
    std::vector<int32_t*> unseen;
    for (int q = 0; q < PlayerCount; ++q) {
        if (q == player_)
            continue;
        for (int32_t& card : s.players[q].handCard) {
            if (card != NO_CARD)
                unseen.push_back(&card);
        }
        for (int row = s.players[q].myCardCount; deck && row < rows; ++row)
            unseen.push_back(&s.cards.pile[PlayerCount * row + q]);
    }
    for (int i = s.cards.drawCount; !deck && i < cardMax; ++i)
        unseen.push_back(&s.cards.pile[i]);
    DealAmong(unseen, rng_);
    if (deck) {
        // The seat knows what its own deck holds, not in which order.
        std::vector<int32_t*> own;
        for (int row = s.players[player_].myCardCount; row < rows; ++row)
            own.push_back(&s.cards.pile[PlayerCount * row + player_]);
        DealAmong(own, rng_);
    }
}

void Lookahead::ShuffleTraps()
{
    MatchState& s = sampled_;
    // Only the player's own draws show their trap marks (as 6); a computer seat sees none.
    const bool seesMarks = player_ == 0;
    std::array<bool, ThreadCardCount> seenCard{};
    if (seesMarks) {
        for (int32_t card : s.players[0].handCard) {
            if (card < ThreadCardCount)
                seenCard[card] = true;
        }
    }
    // The thread cards not yet opened, and the open threads whose trap has not gone off.
    std::vector<int8_t*> cards;
    std::vector<int32_t*> threads;
    int traps = 0;
    std::array<bool, ThreadCardCount> held{};
    for (int q = 0; q < PlayerCount; ++q) {
        for (int32_t card : s.players[q].handCard) {
            if (card < ThreadCardCount)
                held[card] = true;
        }
    }
    const int cardMax = Rules(tables_, s).CardMax();
    const bool deck = (s.GameMode & ModeDeck) != 0;
    for (int i = 0; i < cardMax; ++i) {
        const int32_t card = s.cards.pile[i];
        const bool drawn =
            deck ? i / PlayerCount < s.players[i % PlayerCount].myCardCount : i < s.cards.drawCount;
        if (card < ThreadCardCount && !drawn)
            held[card] = true;
    }
    for (int card = 0; card < ThreadCardCount; ++card) {
        int8_t& mark = s.cards.crashMark[card];
        if (!held[card] || seenCard[card] || (seesMarks && mark == 6))
            continue;
        traps += IsTrap(mark) ? 1 : 0;
        mark = 0;
        cards.push_back(&mark);
    }
    for (int position = 0; position < BoardPositions; ++position) {
        ThreadState& t = s.board.threads[s.board.order[position]];
        if (t.resNum < 1 || !(t.browserCrash == 0 || IsTrap(t.browserCrash)) ||
            (seesMarks && t.browserCrash == 6))
            continue;
        traps += IsTrap(t.browserCrash) ? 1 : 0;
        t.browserCrash = 0;
        threads.push_back(&t.browserCrash);
    }
    const int places = static_cast<int>(cards.size() + threads.size());
    std::vector<int> order(places);
    for (int i = 0; i < places; ++i)
        order[i] = i;
    for (int i = 0; i < traps && i < places; ++i) {
        std::swap(order[i], order[i + rng_.Below(places - i)]);
        const int at = order[i];
        if (at < static_cast<int>(cards.size()))
            *cards[at] = 2;
        else
            *threads[at - cards.size()] = 2;
    }
}

int64_t Lookahead::PlayLine(const Candidate& candidate) const
{
    MatchState line = sampled_;
    line.rng.SetState(lineSeed_);
    Rules rules(tables_, line);
    rules.PostDate(LineDate);
    PlayerData& p = line.players[player_];
    p.currentCard = candidate.slot;
    p.currentThread = candidate.position;
    if (const std::optional<CardPlay> play = rules.PlayAtCursor(player_)) {
        rules.Resolve(*play);
        rules.Replenish(*play);
    }
    if (player_ == 0)
        p.currentThread = 0;
    Playout(tables_, noThreads_).Finish(line, LineDate);
    return Worth(line);
}

int64_t Lookahead::Worth(const MatchState& end) const
{
    const PlayerScore& me = end.scores[player_];
    int firsts = 0;
    int32_t bestOther = INT32_MIN;
    for (int q = 0; q < PlayerCount; ++q) {
        firsts += end.scores[q].rank == 1 ? 1 : 0;
        if (q != player_)
            bestOther = std::max(bestOther, end.scores[q].total);
    }
    const int64_t lead = std::clamp<int64_t>(static_cast<int64_t>(me.total) - bestOther, -1000, 1000);
    int64_t worth = 1000 * (PlayerCount - me.rank) + lead;
    if (me.rank == 1 && firsts > 0)
        worth += 12000 / firsts;
    return worth;
}
