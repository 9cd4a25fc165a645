#include "keep/MatchRecord.h"

#include "rules/CardRecord.h"
#include "rules/Rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <numeric>
#include <string_view>

namespace {

using Json = nlohmann::json;
using Ordered = nlohmann::ordered_json;

constexpr int64_t Int32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int LastCard = CardInstances - 1;
constexpr int AllModes = ModeDeck | ModeHarsh | ModeExtra;
// Far beyond any game's turns and far from where counting on would overflow.
constexpr int MaxTurn = 1000000;
// What a response of the largest size costs.
constexpr int MaxWaitCost = 276;
// Waits run below zero by less than a round and grow by a card's cost and the bans; beyond these a
// countdown would take longer than any game.
constexpr int MinWait = -1000;
constexpr int MaxWait = 10000;
constexpr int MaxStopCount = 4;
constexpr int MaxResNum = 1001;
constexpr int MaxThreadSize = 512;
constexpr int LastPoolResponse = 999;
constexpr int ThreadResponses = 20;
constexpr int PostFields = 9;
constexpr std::string_view IdAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz/+";

std::string Item(const std::string& at, size_t index)
{
    return at + "[" + std::to_string(index) + "]";
}

std::string Member(const std::string& at, const char* key)
{
    return at + "." + key;
}

bool Refuse(std::string& why, const std::string& at, const std::string& what)
{
    why = at + ": " + what;
    return false;
}

// The value of key, or null when object lacks it.
const Json& Get(const Json& object, const char* key)
{
    static const Json missing;
    const auto it = object.find(key);
    return it != object.end() ? *it : missing;
}

bool ReadObject(const Json& value, const std::string& at, std::string& why)
{
    if (value.is_null())
        return Refuse(why, at, "missing");
    return value.is_object() || Refuse(why, at, "not an object");
}

bool ReadList(const Json& value, size_t count, const std::string& at, std::string& why)
{
    if (value.is_null())
        return Refuse(why, at, "missing");
    if (!value.is_array() || value.size() != count)
        return Refuse(why, at, "not a list of " + std::to_string(count));
    return true;
}

template <typename T>
bool ReadInt(const Json& value, int64_t low, int64_t high, T& out, const std::string& at, std::string& why)
{
    if (value.is_null())
        return Refuse(why, at, "missing");
    if (!value.is_number_integer())
        return Refuse(why, at, "not a whole number");
    // Read as signed, a number above the signed range would turn negative and pass.
    const bool huge = value.is_number_unsigned() &&
                      value.get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (huge || value.get<int64_t>() < low || value.get<int64_t>() > high)
        return Refuse(why, at,
                      value.dump() + " is not within " + std::to_string(low) + ".." + std::to_string(high));
    out = static_cast<T>(value.get<int64_t>());
    return true;
}

template <typename T>
bool ReadInt(const Json& object, const char* key, int64_t low, int64_t high, T& out, const std::string& at,
             std::string& why)
{
    return ReadInt(Get(object, key), low, high, out, Member(at, key), why);
}

template <typename T, size_t N>
bool ReadInts(const Json& object, const char* key, int64_t low, int64_t high, std::array<T, N>& out,
              const std::string& at, std::string& why)
{
    const Json& list = Get(object, key);
    const std::string where = Member(at, key);
    if (!ReadList(list, N, where, why))
        return false;
    for (size_t i = 0; i < N; ++i) {
        if (!ReadInt(list[i], low, high, out[i], Item(where, i), why))
            return false;
    }
    return true;
}

template <typename T>
bool ReadOneOf(const Json& value, std::initializer_list<int> allowed, T& out, const std::string& at,
               std::string& why)
{
    int64_t read = 0;
    if (!ReadInt(value, Int32Min, Int32Max, read, at, why))
        return false;
    if (std::find(allowed.begin(), allowed.end(), read) == allowed.end())
        return Refuse(why, at, std::to_string(read) + " is not a value it takes");
    out = static_cast<T>(read);
    return true;
}

bool ReadBool(const Json& object, const char* key, bool& out, const std::string& at, std::string& why)
{
    const Json& value = Get(object, key);
    if (value.is_null())
        return Refuse(why, Member(at, key), "missing");
    if (!value.is_boolean())
        return Refuse(why, Member(at, key), "not true or false");
    out = value.get<bool>();
    return true;
}

bool ReadCard(const Json& value, bool mayBeEmpty, int32_t& out, const std::string& at, std::string& why)
{
    if (mayBeEmpty && value.is_number_integer() && value == Json(NO_CARD)) {
        out = NO_CARD;
        return true;
    }
    return ReadInt(value, 0, LastCard, out, at, why);
}

// An ID as the rules make them: eight characters of their alphabet, or none.
bool ReadId(const Json& value, std::string& out, const std::string& at, std::string& why)
{
    if (value.is_null())
        return Refuse(why, at, "missing");
    if (!value.is_string())
        return Refuse(why, at, "not text");
    const std::string& id = value.get_ref<const std::string&>();
    const bool letters = std::all_of(id.begin(), id.end(),
                                     [](char c) { return IdAlphabet.find(c) != std::string_view::npos; });
    if (!id.empty() && (id.size() != 8 || !letters))
        return Refuse(why, at, "not an ID");
    out = id;
    return true;
}

bool ReadRng(const Json& value, Rng& rng, std::string& why)
{
    if (value.is_null())
        return Refuse(why, "rng", "missing");
    if (!value.is_string())
        return Refuse(why, "rng", "not text");
    const std::string& text = value.get_ref<const std::string&>();
    uint64_t state = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), state);
    // Unsigned, it takes no sign, no space and no empty text.
    if (error != std::errc() || end != text.data() + text.size())
        return Refuse(why, "rng", "not a 64-bit number in decimal");
    rng.SetState(state);
    return true;
}

bool ReadDeal(const Json& deal, ThreadDeal& out, std::string& why)
{
    const std::string at = "deal";
    if (!ReadObject(deal, at, why) || !ReadInts(deal, "file", -1, ThreadFileCount - 1, out.file, at, why) ||
        !ReadInts(deal, "emptyMask", 0, (1 << ThreadResponses) - 1, out.emptyMask, at, why) ||
        !ReadInt(deal, "dealt", 0, ThreadCardCount, out.dealt, at, why))
        return false;
    const Json& pool = Get(deal, "pool");
    const std::string where = Member(at, "pool");
    if (!ReadList(pool, ThreadCardCount, where, why))
        return false;
    for (size_t t = 0; t < ThreadCardCount; ++t) {
        const std::string thread = Item(where, t);
        if (!ReadList(pool[t], ThreadResponses, thread, why))
            return false;
        for (size_t k = 0; k < ThreadResponses; ++k) {
            if (!ReadInt(pool[t][k], -1, LastPoolResponse, out.pool[t][k], Item(thread, k), why))
                return false;
        }
    }
    return true;
}

bool ReadEnable(const Json& player, PlayerData& out, const std::string& at, std::string& why)
{
    const Json& table = Get(player, "enable");
    const std::string where = Member(at, "enable");
    if (!ReadList(table, BoardPositions, where, why))
        return false;
    bool any = false;
    for (size_t position = 0; position < BoardPositions; ++position) {
        const Json& row = table[position];
        const bool good = row.is_string() && row.get_ref<const std::string&>().size() == HandSlots &&
                          row.get_ref<const std::string&>().find_first_not_of("01") == std::string::npos;
        if (!good)
            return Refuse(why, Item(where, position), "not ten of '0' and '1'");
        for (size_t slot = 0; slot < HandSlots; ++slot) {
            out.enable[position][slot] = row.get_ref<const std::string&>()[slot] == '1';
            any = any || out.enable[position][slot];
        }
    }
    if (!ReadBool(player, "enableCard", out.enableCard, at, why))
        return false;
    // A turn picks among the pairs marked playable; told there is one where none is, it never ends.
    return out.enableCard == any || Refuse(why, Member(at, "enableCard"), "disagrees with enable");
}

bool ReadPlayer(const Json& player, int32_t deckSize, PlayerData& out, const std::string& at,
                std::string& why)
{
    if (!ReadObject(player, at, why) || !ReadInt(player, "color", 0, 3, out.color, at, why) ||
        !ReadInt(player, "nameIndex", 0, 7, out.nameIndex, at, why) ||
        !ReadId(Get(player, "id"), out.id, Member(at, "id"), why))
        return false;
    const Json& hand = Get(player, "hand");
    const std::string where = Member(at, "hand");
    if (!ReadList(hand, HandSlots, where, why))
        return false;
    for (size_t slot = 0; slot < HandSlots; ++slot) {
        if (!ReadCard(hand[slot], true, out.handCard[slot], Item(where, slot), why))
            return false;
    }
    return ReadInt(player, "stopCount", 0, MaxStopCount, out.stopCount, at, why) &&
           ReadEnable(player, out, at, why) &&
           ReadInt(player, "currentCard", 0, HandSlots - 1, out.currentCard, at, why) &&
           ReadInt(player, "currentThread", 0, BoardPositions - 1, out.currentThread, at, why) &&
           ReadInt(player, "waitCount", MinWait, MaxWait, out.waitCount, at, why) &&
           ReadInt(player, "myCardCount", 0, deckSize, out.myCardCount, at, why);
}

bool ReadScore(const Json& score, PlayerScore& out, const std::string& at, std::string& why)
{
    return ReadObject(score, at, why) && ReadInt(score, "total", Int32Min, Int32Max, out.total, at, why) &&
           ReadInt(score, "threadPoints", Int32Min, Int32Max, out.threadPoints, at, why) &&
           ReadInt(score, "resPoints", Int32Min, Int32Max, out.resPoints, at, why) &&
           ReadInt(score, "otherPoints", Int32Min, Int32Max, out.otherPoints, at, why) &&
           ReadInt(score, "finishedThreads", Int32Min, Int32Max, out.finishedThreads, at, why) &&
           ReadInt(score, "finishedRes", Int32Min, Int32Max, out.finishedRes, at, why) &&
           ReadInt(score, "rank", 1, PlayerCount, out.rank, at, why);
}

bool ReadPost(const Json& post, Post& out, const std::string& at, std::string& why)
{
    // The largest a and b of a text of each kind: what it indexes.
    static constexpr std::array<std::array<int, 2>, 5> TextLimits = {{
        {0, 0},
        {SpecialTextCount - 1, 0},
        {CardDefCount - 1, 4},
        {ThreadCardCount - 1, ThreadResponses - 1},
        {BoardPositions - 1, 0},
    }};
    if (!ReadList(post, PostFields, at, why) ||
        !ReadInt(post[0], 0, MaxResNum, out.number, Item(at, 0), why) ||
        !ReadInt(post[1], Post::Plain, Post::Closing, out.kind, Item(at, 1), why) ||
        !ReadInt(post[2], INT8_MIN, INT8_MAX, out.agesage, Item(at, 2), why) ||
        !ReadInt(post[3], -1, 7, out.name, Item(at, 3), why) ||
        !ReadInt(post[4], TextRef::None, TextRef::Position, out.text.kind, Item(at, 4), why))
        return false;
    const std::array<int, 2>& limit = TextLimits[out.text.kind];
    std::string id;
    if (!ReadInt(post[5], 0, limit[0], out.text.a, Item(at, 5), why) ||
        !ReadInt(post[6], 0, limit[1], out.text.b, Item(at, 6), why) ||
        !ReadId(post[7], id, Item(at, 7), why) ||
        !ReadInt(post[8], Int32Min, Int32Max, out.date, Item(at, 8), why))
        return false;
    out.id.fill('\0');
    std::copy(id.begin(), id.end(), out.id.begin());
    return true;
}

bool ReadThread(const Json& thread, ThreadState& out, const std::string& at, std::string& why)
{
    if (!ReadObject(thread, at, why) || !ReadInt(thread, "resNum", -1, MaxResNum, out.resNum, at, why) ||
        !ReadInt(thread, "size", 0, MaxThreadSize, out.size, at, why) ||
        !ReadInt(thread, "resIndex", -1, ThreadCardCount - 1, out.resIndex, at, why) ||
        !ReadInt(thread, "owner", -1, PlayerCount - 1, out.owner, at, why) ||
        !ReadInt(thread, "color", -1, 4, out.color, at, why) ||
        !ReadInt(thread, "agesage", 0, 1, out.agesage, at, why) ||
        !ReadInt(thread, "jienCount", 0, PileSize, out.jienCount, at, why) ||
        !ReadInt(thread, "gotFlag", 0, 3, out.gotFlag, at, why) ||
        !ReadInt(thread, "festaFlag", 0, 2, out.festaFlag, at, why) ||
        !ReadBool(thread, "ikusaFlag", out.ikusaFlag, at, why) ||
        !ReadBool(thread, "stopFlag", out.stopFlag, at, why) ||
        !ReadInt(thread, "judgeFlag", 0, 2, out.judgeFlag, at, why) ||
        !ReadOneOf(Get(thread, "browserCrash"), {0, 1, 2, 3, 6}, out.browserCrash, Member(at, "browserCrash"),
                   why) ||
        !ReadBool(thread, "noClockText", out.noClockText, at, why))
        return false;
    const Json& posts = Get(thread, "posts");
    const std::string where = Member(at, "posts");
    if (!ReadList(posts, out.posts.size(), where, why))
        return false;
    for (size_t i = 0; i < out.posts.size(); ++i) {
        if (!ReadPost(posts[i], out.posts[i], Item(where, i), why))
            return false;
    }
    return true;
}

bool ReadBoard(const Json& board, BoardState& out, std::string& why)
{
    const std::string at = "board";
    if (!ReadObject(board, at, why) || !ReadInts(board, "order", 0, BoardPositions - 1, out.order, at, why))
        return false;
    std::array<int32_t, BoardPositions> sorted = out.order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < BoardPositions; ++i) {
        if (sorted[i] != i)
            return Refuse(why, Member(at, "order"), "not a permutation of 0..11");
    }
    if (!ReadInt(board, "threadMax", 5, BoardPositions - 1, out.threadMax, at, why) ||
        !ReadInt(board, "threadCount", 0, out.threadMax, out.threadCount, at, why))
        return false;
    const Json& threads = Get(board, "threads");
    const std::string where = Member(at, "threads");
    if (!ReadList(threads, BoardPositions, where, why))
        return false;
    for (size_t slot = 0; slot < BoardPositions; ++slot) {
        if (!ReadThread(threads[slot], out.threads[slot], Item(where, slot), why))
            return false;
    }
    // Every card leaves the board sorted: the live threads on top, as many as the count, and the
    // stopped ones past the capacity. Opening and finishing threads rely on it; a stopped thread
    // within reach would be finished a second time and the count would run below zero.
    for (int position = 0; position < BoardPositions; ++position) {
        const int32_t slot = out.order[position];
        const ThreadState& t = out.threads[slot];
        const bool live = t.resNum >= 1 && !t.stopFlag;
        const std::string place = " at position " + std::to_string(position);
        if (live != (position < out.threadCount))
            return Refuse(why, Item(where, slot),
                          (live ? "live" : "not live") + place + " with threadCount " +
                              std::to_string(out.threadCount));
        if (t.stopFlag && position < out.threadMax)
            return Refuse(why, Item(where, slot),
                          "stopped" + place + " within threadMax " + std::to_string(out.threadMax));
    }
    return true;
}

bool ReadCards(const Json& cards, int32_t cardCount, CardsState& out, std::string& why)
{
    const std::string at = "cards";
    if (!ReadObject(cards, at, why) || !ReadInt(cards, "godColour", 1, 3, out.godColour, at, why))
        return false;
    const Json& marks = Get(cards, "crashMark");
    std::string where = Member(at, "crashMark");
    if (!ReadList(marks, ThreadCardCount, where, why))
        return false;
    for (size_t i = 0; i < ThreadCardCount; ++i) {
        if (!ReadOneOf(marks[i], {0, 2, 6}, out.crashMark[i], Item(where, i), why))
            return false;
    }
    const Json& pile = Get(cards, "pile");
    where = Member(at, "pile");
    if (!ReadList(pile, PileSize, where, why))
        return false;
    for (size_t i = 0; i < PileSize; ++i) {
        // Every draw within the game's cards must give a card, or the hands would run dry early.
        if (!ReadCard(pile[i], static_cast<int32_t>(i) >= cardCount, out.pile[i], Item(where, i), why))
            return false;
    }
    return ReadInt(cards, "drawCount", 0, cardCount, out.drawCount, at, why);
}

// The decks give cards only while the shared count has not run out: a player may not have drawn
// more from them than was drawn in all, or the game would wait forever for its last cards.
bool CheckDecks(const MatchState& s, std::string& why)
{
    const int32_t drawn =
        std::accumulate(s.players.begin(), s.players.end(), 0,
                        [](int32_t sum, const PlayerData& p) { return sum + p.myCardCount; });
    if ((s.GameMode & ModeDeck) == 0)
        return drawn == 0 || Refuse(why, "players[].myCardCount", "not 0 outside the deck mode");
    return drawn <= s.cards.drawCount ||
           Refuse(why, "players[].myCardCount",
                  std::to_string(drawn) + " drawn from the decks, more than drawCount " +
                      std::to_string(s.cards.drawCount));
}

// A player who can still draw holds ten cards. The computer player's cursor walks past an empty
// slot and may never reach the cards beyond it; a player who can neither play nor draw then holds
// the game up for ever.
bool CheckHands(const MatchState& s, int32_t cardCount, std::string& why)
{
    for (size_t p = 0; p < PlayerCount; ++p) {
        const PlayerData& player = s.players[p];
        const bool deckOut = (s.GameMode & ModeDeck) != 0 && player.myCardCount == cardCount / PlayerCount;
        const bool gap =
            std::find(player.handCard.begin(), player.handCard.end(), NO_CARD) != player.handCard.end();
        if (gap && !deckOut && s.cards.drawCount != cardCount)
            return Refuse(why, Member(Item("players", p), "hand"),
                          "an empty slot while cards remain to draw");
    }
    return true;
}

template <typename T, size_t N> Ordered Numbers(const std::array<T, N>& values)
{
    Ordered list = Ordered::array();
    for (const T& value : values)
        list.push_back(static_cast<int64_t>(value));
    return list;
}

Ordered WritePost(const Post& post)
{
    // Posts without an ID hold eight zero bytes; they are written as no ID at all.
    const bool hasId = std::any_of(post.id.begin(), post.id.end(), [](char c) { return c != '\0'; });
    return Ordered::array({post.number, static_cast<int>(post.kind), static_cast<int>(post.agesage),
                           static_cast<int>(post.name), static_cast<int>(post.text.kind), post.text.a,
                           post.text.b, hasId ? std::string(post.id.begin(), post.id.end()) : std::string(),
                           post.date});
}

Ordered WriteThread(const ThreadState& t)
{
    Ordered thread;
    thread["resNum"] = t.resNum;
    thread["size"] = t.size;
    thread["resIndex"] = t.resIndex;
    thread["owner"] = t.owner;
    thread["color"] = t.color;
    thread["agesage"] = t.agesage;
    thread["jienCount"] = t.jienCount;
    thread["gotFlag"] = t.gotFlag;
    thread["festaFlag"] = t.festaFlag;
    thread["ikusaFlag"] = t.ikusaFlag;
    thread["stopFlag"] = t.stopFlag;
    thread["judgeFlag"] = t.judgeFlag;
    thread["browserCrash"] = t.browserCrash;
    thread["noClockText"] = t.noClockText;
    Ordered posts = Ordered::array();
    for (const Post& post : t.posts)
        posts.push_back(WritePost(post));
    thread["posts"] = std::move(posts);
    return thread;
}

Ordered WritePlayer(const PlayerData& p)
{
    Ordered player;
    player["color"] = p.color;
    player["nameIndex"] = p.nameIndex;
    player["id"] = p.id;
    player["hand"] = Numbers(p.handCard);
    player["stopCount"] = p.stopCount;
    Ordered enable = Ordered::array();
    for (const auto& row : p.enable) {
        std::string marks;
        for (const bool playable : row)
            marks += playable ? '1' : '0';
        enable.push_back(marks);
    }
    player["enable"] = std::move(enable);
    player["enableCard"] = p.enableCard;
    player["currentCard"] = p.currentCard;
    player["currentThread"] = p.currentThread;
    player["waitCount"] = p.waitCount;
    player["myCardCount"] = p.myCardCount;
    return player;
}

Ordered WriteScore(const PlayerScore& s)
{
    Ordered score;
    score["total"] = s.total;
    score["threadPoints"] = s.threadPoints;
    score["resPoints"] = s.resPoints;
    score["otherPoints"] = s.otherPoints;
    score["finishedThreads"] = s.finishedThreads;
    score["finishedRes"] = s.finishedRes;
    score["rank"] = s.rank;
    return score;
}

} // namespace

Ordered MatchRecord::Write(const MatchState& state)
{
    Ordered record;
    record["gameMode"] = state.GameMode;
    record["lastCardWait"] = state.LastCardWait;
    record["firstPlayer"] = state.firstPlayer;
    record["turnCount"] = state.turnCount;
    record["rng"] = std::to_string(state.rng.State());

    Ordered deal;
    deal["file"] = Numbers(state.threads.file);
    Ordered pool = Ordered::array();
    for (const auto& responses : state.threads.pool)
        pool.push_back(Numbers(responses));
    deal["pool"] = std::move(pool);
    deal["emptyMask"] = Numbers(state.threads.emptyMask);
    deal["dealt"] = state.threads.dealt;
    record["deal"] = std::move(deal);

    Ordered players = Ordered::array();
    for (const PlayerData& player : state.players)
        players.push_back(WritePlayer(player));
    record["players"] = std::move(players);
    Ordered scores = Ordered::array();
    for (const PlayerScore& score : state.scores)
        scores.push_back(WriteScore(score));
    record["scores"] = std::move(scores);

    Ordered board;
    board["order"] = Numbers(state.board.order);
    board["threadCount"] = state.board.threadCount;
    board["threadMax"] = state.board.threadMax;
    Ordered threads = Ordered::array();
    for (const ThreadState& thread : state.board.threads)
        threads.push_back(WriteThread(thread));
    board["threads"] = std::move(threads);
    record["board"] = std::move(board);

    Ordered cards;
    cards["godColour"] = state.cards.godColour;
    cards["crashMark"] = Numbers(state.cards.crashMark);
    cards["pile"] = Numbers(state.cards.pile);
    cards["drawCount"] = state.cards.drawCount;
    record["cards"] = std::move(cards);
    return record;
}

std::optional<MatchState> MatchRecord::Read(const nlohmann::json& json, std::string& why)
{
    if (!json.is_object()) {
        why = "not a game record";
        return std::nullopt;
    }
    MatchState s;
    if (!ReadInt(Get(json, "gameMode"), 0, AllModes, s.GameMode, "gameMode", why))
        return std::nullopt;
    if ((s.GameMode & ~AllModes) != 0) {
        Refuse(why, "gameMode", std::to_string(s.GameMode) + " has bits other than 1, 2 and 64");
        return std::nullopt;
    }
    static const RuleTables noTables;
    const int32_t cardCount = Rules(noTables, s).CardMax();
    if (!ReadInt(Get(json, "lastCardWait"), 0, MaxWaitCost, s.LastCardWait, "lastCardWait", why) ||
        !ReadInt(Get(json, "firstPlayer"), 0, PlayerCount - 1, s.firstPlayer, "firstPlayer", why) ||
        !ReadInt(Get(json, "turnCount"), -1, MaxTurn, s.turnCount, "turnCount", why) ||
        !ReadRng(Get(json, "rng"), s.rng, why) || !ReadDeal(Get(json, "deal"), s.threads, why))
        return std::nullopt;

    if (!ReadCards(Get(json, "cards"), cardCount, s.cards, why))
        return std::nullopt;
    // Before the hands are dealt (the deck preview), the hands and the deck counts are what the last
    // game, of any mode, left; the deal replaces them.
    const bool dealt = s.cards.drawCount > 0;
    const Json& players = Get(json, "players");
    const Json& scores = Get(json, "scores");
    if (!ReadList(players, PlayerCount, "players", why) || !ReadList(scores, PlayerCount, "scores", why))
        return std::nullopt;
    for (size_t p = 0; p < PlayerCount; ++p) {
        if (!ReadPlayer(players[p], (dealt ? cardCount : PileSize) / PlayerCount, s.players[p],
                        Item("players", p), why) ||
            !ReadScore(scores[p], s.scores[p], Item("scores", p), why))
            return std::nullopt;
    }
    if (!ReadBoard(Get(json, "board"), s.board, why) ||
        (dealt && (!CheckDecks(s, why) || !CheckHands(s, cardCount, why))))
        return std::nullopt;
    return s;
}
