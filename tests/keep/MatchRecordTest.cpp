#include "keep/MatchRecord.h"

#include "rules/Playout.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

using Json = nlohmann::json;

// Cards of every family, with figures and empty texts spread as the shipped ones are.
const RuleTables& Tables()
{
    static const RuleTables tables = [] {
        std::array<CardRecord, CardDefCount> defs{};
        for (int i = 0; i < CardDefCount; ++i) {
            defs[i].cardIndex = i;
            defs[i].resNum = i < AdminCard ? std::array{1, 10, 50, 100}[i % 4] : 1;
            defs[i].Size = i < AdminCard ? 1 + (i % 5) * 24 : 0;
            defs[i].Agesage = i % 3 == 0 ? 1 : 0;
            defs[i].ResText = {"a", "b", "", "d", "e"};
            defs[i].resWeight = {1, 2, 1, 0, 3};
        }
        std::array<std::string, SpecialTextCount> texts;
        texts.fill("special");
        return RuleTables(defs, texts);
    }();
    return tables;
}

const ThreadLibrary& Library()
{
    static const ThreadLibrary library = [] {
        ThreadLibrary l;
        for (int f = 0; f < 60; ++f) {
            l.pieces[3 * f] = static_cast<int16_t>(3 + f % 25);
            l.ownEmpty[3 * f] = 0x9E3779B9u * static_cast<uint32_t>(f);
        }
        for (int i = 0; i < 300; ++i)
            l.poolEmpty.push_back(i % 7 == 0);
        return l;
    }();
    return library;
}

MatchState Played(int mode, int turns, uint64_t seed)
{
    MatchState state;
    state.rng = Rng(seed, true);
    const Playout playout(Tables(), Library());
    playout.Deal(state, mode, 28000000);
    Rules rules(Tables(), state);
    rules.PostDate(28000000 + 23 * 60);
    for (int turn = 0; turn < turns && playout.Turn(rules); ++turn) {
    }
    return state;
}

std::optional<MatchState> ReadBack(const MatchState& state, std::string& why)
{
    return MatchRecord::Read(Json::parse(MatchRecord::Write(state).dump()), why);
}

TEST(MatchRecord, PlayedGamesReadBackAsThemselvesAndPlayOnAlike)
{
    const Playout playout(Tables(), Library());
    const std::array<std::array<int, 2>, 5> games = {{{0, 30},
                                                      {ModeDeck, 55},
                                                      {ModeHarsh | ModeDeck, 105},
                                                      {ModeExtra | ModeHarsh, 95},
                                                      {ModeExtra | ModeDeck, 200}}};
    for (const auto& [mode, turns] : games) {
        SCOPED_TRACE(mode);
        MatchState state = Played(mode, turns, 11 + mode);
        // What a few dozen turns seldom reach.
        state.rng.SetState(0xFEDCBA9876543210ULL);
        state.players[1].stopCount = 2;
        state.scores[2].otherPoints = INT32_MIN;
        ThreadState& top = state.board.threads[state.board.order[0]];
        top.judgeFlag = 2;
        top.ikusaFlag = true;
        top.jienCount = 2;
        top.browserCrash = 6;
        top.noClockText = !top.noClockText;
        top.posts[7] = Post{1001, Post::Closing, -3, 7, {TextRef::Position, 11, 0}, {}, -60};

        std::string why;
        std::optional<MatchState> back = ReadBack(state, why);
        ASSERT_TRUE(back) << why;
        EXPECT_TRUE(*back == state);
        playout.Finish(state, 28000000);
        playout.Finish(*back, 28000000);
        EXPECT_TRUE(*back == state);
        back = ReadBack(state, why);
        ASSERT_TRUE(back) << why;
        EXPECT_TRUE(*back == state);
    }
}

TEST(MatchRecord, EveryCardOfWholeGamesInEveryModeReadsBackAsItsState)
{
    const Playout playout(Tables(), Library());
    for (const int mode : {0, 1, 2, 3, 64, 65, 66, 67}) {
        SCOPED_TRACE(mode);
        MatchState state;
        state.rng = Rng(100 + static_cast<uint64_t>(mode), true);
        int cards = 0;
        int failures = 0;
        const auto check = [&](const CardPlay&, bool after) {
            if (!after)
                return;
            ++cards;
            std::string why;
            const std::optional<MatchState> back = ReadBack(state, why);
            if (!back || !(*back == state))
                ++failures;
            EXPECT_TRUE(back) << "card " << cards << ": " << why;
        };
        playout.Deal(state, mode, 28000000, nullptr, check);
        playout.Finish(state, 28000000, nullptr, check);
        EXPECT_GT(cards, 150);
        EXPECT_EQ(failures, 0);
    }
}

TEST(MatchRecord, TheDeckPreviewKeepsWhatTheLastGameLeftInTheHands)
{
    const Playout playout(Tables(), Library());
    MatchState state;
    state.rng = Rng(3, true);
    playout.Deal(state, ModeDeck | ModeExtra, 28000000);
    playout.Finish(state, 28000000);
    Rules rules(Tables(), state);
    state.GameMode = ModeDeck;
    rules.BeginDeal();
    rules.DealCards(DealThreads(state.rng, Library()));
    rules.ShowDeck(0);
    ASSERT_EQ(state.players[1].myCardCount, 82);

    std::string why;
    const std::optional<MatchState> back = ReadBack(state, why);
    ASSERT_TRUE(back) << why;
    EXPECT_TRUE(*back == state);
}

struct Edit {
    std::string pointer;
    Json value;
};

struct Case {
    std::vector<Edit> edits;
    // What the reason says, or nullptr for a record that is kept.
    const char* why;
};

const Json Erase(Json::value_t::discarded);
constexpr uint64_t Huge = UINT64_MAX;

TEST(MatchRecord, HostileFieldsAreRefusedByNameAndTheEdgesKept)
{
    std::vector<Case> cases = {
        {{{"", Json::array()}}, "not a game record"},
        {{{"/gameMode", Erase}}, "gameMode: missing"},
        {{{"/gameMode", 4}}, "gameMode: 4 has bits"},
        {{{"/gameMode", 0}}, "players[].myCardCount: not 0"},
        {{{"/gameMode", ModeDeck | ModeExtra}}, "cards.pile[204]"},
        {{{"/lastCardWait", 277}}, "lastCardWait"},
        {{{"/firstPlayer", 1.0}}, "firstPlayer: not a whole number"},
        {{{"/turnCount", "12"}}, "turnCount: not a whole number"},
        {{{"/turnCount", -2}}, "turnCount: -2 is not within"},
        {{{"/rng", 12345}}, "rng: not text"},
        {{{"/rng", "-1"}}, "rng"},
        {{{"/rng", " 1"}}, "rng"},
        {{{"/rng", "18446744073709551616"}}, "rng"},
        {{{"/deal/file/3", 200}}, "deal.file[3]"},
        {{{"/deal/pool/2/5", 1000}}, "deal.pool[2][5]"},
        {{{"/deal/pool/2", Erase}}, "deal.pool: not a list of 45"},
        {{{"/deal/emptyMask/0", 1 << 20}}, "deal.emptyMask[0]"},
        {{{"/deal/dealt", 46}}, "deal.dealt"},
        {{{"/players", Json::object()}}, "players: not a list of 4"},
        {{{"/players/1/hand/0", 246}}, "players[1].hand[0]"},
        {{{"/players/1/hand/9", -1}}, "players[1].hand[9]"},
        {{{"/players/0/color", Huge}}, "players[0].color"},
        {{{"/players/0/nameIndex", 8}}, "players[0].nameIndex"},
        {{{"/players/2/id", "ABCDEFG"}}, "players[2].id"},
        {{{"/players/2/id", "ABCDEF*G"}}, "players[2].id"},
        {{{"/players/3/stopCount", -1}}, "players[3].stopCount"},
        {{{"/players/3/enable/4", "0000000002"}}, "players[3].enable[4]"},
        {{{"/players/3/enable", Json::array()}}, "players[3].enable"},
        {{{"/players/3/enable/0", "1000000000"}, {"/players/3/enableCard", false}}, "players[3].enableCard"},
        {{{"/players/0/currentCard", 10}}, "players[0].currentCard"},
        {{{"/players/0/currentThread", 12}}, "players[0].currentThread"},
        {{{"/players/0/waitCount", 10001}}, "players[0].waitCount"},
        {{{"/players/0/myCardCount", 52}}, "players[0].myCardCount"},
        {{{"/players/0/myCardCount", 51}}, "players[].myCardCount: "},
        {{{"/scores/1/total", 2147483648}}, "scores[1].total"},
        {{{"/scores/1/rank", 0}}, "scores[1].rank"},
        {{{"/board/order", {0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}}, "board.order: not a permutation"},
        {{{"/board/threadMax", 12}}, "board.threadMax"},
        {{{"/board/threadMax", 5}, {"/board/threadCount", 6}}, "board.threadCount"},
        {{{"/board/threadCount", 0}}, "live at position 0 with threadCount 0"},
        {{{"/board/threads/4/resNum", 1002}}, "board.threads[4].resNum"},
        {{{"/board/threads/4/size", 513}}, "board.threads[4].size"},
        {{{"/board/threads/4/resIndex", 45}}, "board.threads[4].resIndex"},
        {{{"/board/threads/0/owner", Huge}}, "board.threads[0].owner"},
        {{{"/board/threads/4/color", 5}}, "board.threads[4].color"},
        {{{"/board/threads/4/jienCount", -1}}, "board.threads[4].jienCount"},
        {{{"/board/threads/4/gotFlag", 4}}, "board.threads[4].gotFlag"},
        {{{"/board/threads/4/festaFlag", 3}}, "board.threads[4].festaFlag"},
        {{{"/board/threads/4/judgeFlag", 3}}, "board.threads[4].judgeFlag"},
        {{{"/board/threads/4/browserCrash", 4}}, "board.threads[4].browserCrash"},
        {{{"/board/threads/4/stopFlag", 0}}, "board.threads[4].stopFlag: not true or false"},
        {{{"/board/threads/4/posts/7", {5, 0, 0}}}, "board.threads[4].posts[7]"},
        {{{"/board/threads/4/posts/7", {1002, 0, 0, 1, 0, 0, 0, "", 0}}}, "board.threads[4].posts[7][0]"},
        {{{"/board/threads/4/posts/7", {5, 4, 0, 1, 0, 0, 0, "", 0}}}, "board.threads[4].posts[7][1]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 8, 0, 0, 0, "", 0}}}, "board.threads[4].posts[7][3]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 5, 0, 0, "", 0}}}, "board.threads[4].posts[7][4]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 0, 1, 0, "", 0}}}, "board.threads[4].posts[7][5]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 1, 50, 0, "", 0}}}, "board.threads[4].posts[7][5]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 2, 57, 5, "", 0}}}, "board.threads[4].posts[7][6]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 3, 44, 20, "", 0}}}, "board.threads[4].posts[7][6]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 4, 12, 0, "", 0}}}, "board.threads[4].posts[7][5]"},
        {{{"/board/threads/4/posts/7", {5, 0, 0, 1, 0, 0, 0, "ABCDEFGH+", 0}}},
         "board.threads[4].posts[7][7]"},
        {{{"/cards/godColour", 0}}, "cards.godColour"},
        {{{"/cards/crashMark/3", 258}}, "cards.crashMark[3]"},
        {{{"/cards/pile/0", NO_CARD}}, "cards.pile[0]"},
        {{{"/cards/drawCount", 205}}, "cards.drawCount"},
        {{{"/cards/pile", Erase}}, "cards.pile: missing"},
        // The edges of the ranges.
        {{{"/players/1/hand/9", NO_CARD}}, "players[1].hand: an empty slot"},
        {{{"/players/1/hand/9", NO_CARD},
          {"/cards/drawCount", 204},
          {"/players/2/id", ""},
          {"/cards/pile/300", 245}},
         nullptr},
        {{{"/turnCount", -1}, {"/board/threads/0/posts/0/8", INT32_MAX}}, nullptr},
        {{{"/cards/drawCount", 0}, {"/players/0/myCardCount", 82}, {"/players/0/hand/0", NO_CARD}}, nullptr},
        {{{"/cards/drawCount", 0}, {"/players/0/myCardCount", 83}}, "players[0].myCardCount"},
        {{{"/board/threads/0/owner", -1}, {"/rng", "18446744073709551615"}, {"/unknown", 1}}, nullptr},
        {{{"/board/threads/4/posts/7", {1001, 3, -128, -1, 3, 44, 19, "09az/+AZ", INT32_MIN}}}, nullptr},
    };
    const Json base = Json::parse(MatchRecord::Write(Played(ModeDeck, 60, 5)).dump());
    // A stopped thread just below the live ones, within the capacity.
    const std::string free =
        "/board/threads/" + base["board"]["order"][base["board"]["threadCount"].get<int>()].dump();
    cases.push_back({{{"/board/threadMax", 11}, {free + "/stopFlag", true}}, "stopped at position"});
    for (const Case& c : cases) {
        Json record = base;
        for (const Edit& edit : c.edits) {
            const Json::json_pointer at(edit.pointer);
            if (!edit.value.is_discarded())
                record[at] = edit.value;
            else if (record[at.parent_pointer()].is_array())
                record[at.parent_pointer()].erase(std::stoul(at.back()));
            else
                record[at.parent_pointer()].erase(at.back());
        }
        std::string why;
        const std::optional<MatchState> state = MatchRecord::Read(record, why);
        EXPECT_EQ(state.has_value(), c.why == nullptr) << c.edits[0].pointer << ": " << why;
        if (c.why != nullptr) {
            EXPECT_NE(why.find(c.why), std::string::npos) << why;
        }
    }
}

} // namespace
