#include "board/Res.h"

#include "board/Ink.h"
#include "support/TestGame.h"

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// A slot that shows another game thread than its own number, so that the two are never mixed up.
constexpr int Slot = 5;
constexpr int ThreadIndex = 3;
// Special texts of the fixture tables the tests post: "special 40", and three set here.
constexpr int Hello = 40;
constexpr int Tall = 41;
constexpr int OneLine = 42;
constexpr int Blank = 43;
// 2024-05-06 00:00 of the local calendar, in minutes.
constexpr int32_t May6 = 19849 * 24 * 60;
constexpr std::array<char, 8> PlayerId{'I', 'D', '0', '0', '0', '0', '0', '0'};

TextRef Special(int index)
{
    return {TextRef::Special, static_cast<int16_t>(index), 0};
}

class ResTest : public testing::Test {
protected:
    ResTest()
    {
        t.LoadFixtureData();
        std::string tall = "a";
        for (int i = 0; i < 6; ++i)
            tall += "\r\nline";
        t.game.specialTexts[Tall] = tall;
        t.game.specialTexts[OneLine] = "one line";
        t.game.specialTexts[Blank] = "";
        t.game.UpdateRuleTables();
        Thread().resIndex = ThreadIndex;
        t.game.rules.PostDate(May6 + 12 * 60);
        res.ClassInit(&t.game.PictureTemp);
    }

    ThreadState& Thread() { return t.game.match.board.threads[Slot]; }

    // Posts as player name 1 with an ID of its own, clock texts allowed.
    void Post(int count, int text = Hello, bool priority = false, int agesage = 0)
    {
        t.game.rules.AddPosts(Slot, count, 1, &PlayerId, agesage, Post::Plain, Special(text), priority, 0);
    }

    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (int i = 0; i < 8; ++i)
            numbers.push_back(res.Entry(i).number);
        return numbers;
    }

    TestGame t;
    Res res{t.game, Slot};
};

TEST_F(ResTest, NewPostsShiftTheOldOnesDownBehindFillersOfTheThreadsOwn)
{
    Post(1);
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(res.Entry(0).name, "たかし");
    EXPECT_EQ(res.Entry(0).id, "ID000000");
    EXPECT_EQ(res.Entry(0).text, "special 40");
    EXPECT_GT(res.EntryHeight(0), 0);
    EXPECT_EQ(res.EntryHeight(1), 0);

    struct Step {
        int count;
        int agesage;
        std::vector<int> numbers;
    };
    const Step steps[] = {
        {4, 1, {5, 4, 3, 2, 1, 0, 0, 0}},          {3, 0, {8, 7, 6, 5, 4, 3, 2, 1}},
        {2, 1, {10, 9, 8, 7, 6, 5, 4, 3}},         {8, 0, {18, 17, 16, 15, 14, 13, 12, 11}},
        {15, 1, {33, 32, 31, 30, 29, 28, 27, 26}},
    };
    // The player's posts by number (every other one is a filler), and every post's age or sage.
    std::set<int> mains{1};
    std::map<int, int> agesage{{1, 0}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.count);
        const int top = res.Entry(0).number;
        Post(step.count, Hello, false, step.agesage);
        mains.insert(step.numbers[0]);
        for (int n = top + 1; n <= step.numbers[0]; ++n)
            agesage[n] = step.agesage;
        EXPECT_EQ(Numbers(), step.numbers);
        for (int i = 0; i < 8; ++i) {
            const ResEntry e = res.Entry(i);
            if (e.number == 0)
                continue;
            EXPECT_EQ(e.agesage, agesage[e.number]) << i;
            if (mains.count(e.number) != 0) {
                EXPECT_EQ(e.name, "たかし") << i;
                EXPECT_EQ(e.id, "ID000000") << i;
                EXPECT_EQ(e.text, "special 40") << i;
                continue;
            }
            EXPECT_EQ(e.name, "poster 3") << i;
            EXPECT_EQ(e.text.rfind("thread 3 res ", 0), 0u) << i;
            EXPECT_EQ(e.id.size(), 8u) << i;
            EXPECT_NE(e.id, "ID000000") << i;
            EXPECT_EQ(e.date, "24/05/06 12:00") << i;
        }
    }
}

TEST_F(ResTest, ReachingAThousandAddsTheClosingEntry)
{
    for (const int before : {995, 999}) {
        SCOPED_TRACE(before);
        Thread().posts = {};
        Post(before);
        Post(before == 999 ? 1 : 10);
        std::vector<int> numbers{1001};
        for (int n = 1000; n > 993; --n)
            numbers.push_back(n);
        EXPECT_EQ(Numbers(), numbers);
        const ResEntry closing = res.Entry(0);
        EXPECT_EQ(closing.name, "１００１");
        EXPECT_EQ(closing.id, "*");
        EXPECT_EQ(closing.date, "Over 1000 Thread");
        EXPECT_EQ(closing.text, "このスレッドは１０００を超えました。\r\n"
                                "もう書けないので､新しいスレッドを立ててくださいです｡｡｡ ");
        EXPECT_EQ(res.Entry(1).name, "たかし");
        EXPECT_EQ(res.Entry(1).text, "special 40");
    }
}

TEST_F(ResTest, AnEmptyTextTakesAFillerChosenByTheGotMode)
{
    auto range = [](const std::string& prefix, int first, int last) {
        std::set<std::string> texts;
        for (int i = first; i <= last; ++i)
            texts.insert(prefix + std::to_string(i));
        return texts;
    };
    struct Case {
        TextRef text;
        int gotMode;
        std::set<std::string> texts;
    };
    const Case cases[] = {
        {{}, 0, range("thread 3 res ", 0, 19)},
        {{}, 1, range("special ", 13, 20)},
        {{}, 2, range("special ", 21, 29)},
        {Special(Blank), 1, range("special ", 13, 20)},
        {Special(Blank), 2, range("special ", 21, 29)},
        {{}, 5, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gotMode);
        Thread().posts = {};
        std::set<std::string> seen;
        for (int i = 0; i < 200; ++i) {
            t.game.rules.AddPosts(Slot, 1, -1, nullptr, 0, Post::Plain, c.text, false, c.gotMode);
            seen.insert(res.Entry(0).text);
        }
        EXPECT_EQ(seen, c.texts);
        EXPECT_EQ(res.Entry(0).name, "poster 3");
        EXPECT_EQ(res.Entry(0).id.size(), 8u);
    }
}

TEST_F(ResTest, TheHoursOfTwentyThreeAndEightHaveTheirOwnTexts)
{
    struct Case {
        int32_t date;
        bool priority;
        bool noClockText;
        uint8_t kind;
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        {May6 + 23 * 60, false, false, Post::Plain, "special 11", "24/05/06 23:00"},
        {May6 + 8 * 60, false, false, Post::Plain, "special 12", "24/05/06 08:00"},
        {May6 + 8 * 60 + 1, false, false, Post::Plain, "special 40", "24/05/06 08:01"},
        {May6 + 23 * 60 - 1, false, false, Post::Plain, "special 40", "24/05/06 22:59"},
        {May6 + 8 * 60, true, false, Post::Plain, "special 40", "24/05/06 08:00"},
        {May6 + 23 * 60, false, true, Post::Plain, "special 40", "24/05/06 23:00"},
        {May6 + 23 * 60, false, false, Post::Stopper, "special 40", "真・スレッドストッパー"},
        // 1969-12-31 23:00: a day before the calendar's start counts its hours alike.
        {-60, false, false, Post::Plain, "special 11", "69/12/31 23:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Thread().noClockText = c.noClockText;
        t.game.rules.PostDate(c.date);
        t.game.rules.AddPosts(Slot, 3, 1, &PlayerId, 0, c.kind, Special(Hello), c.priority, 0);
        EXPECT_EQ(res.Entry(0).text, c.text);
        EXPECT_EQ(res.Entry(0).date, c.shown);
        // The fillers before it keep the thread's texts.
        for (int i = 1; i < 3; ++i)
            EXPECT_EQ(res.Entry(i).text.rfind("thread 3 res ", 0), 0u) << i;
    }
}

TEST_F(ResTest, AQuarterOfTheOpenedThreadsIgnoreTheClock)
{
    int ignoring = 0;
    for (int i = 0; i < 200; ++i) {
        t.game.rules.BoardInit();
        t.game.rules.PostDate(May6 + 23 * 60);
        t.game.rules.PayCard(0, i % 45, 0);
        const int slot = t.game.match.board.order[0];
        t.game.rules.AddPosts(slot, 1, 1, &PlayerId, 0, Post::Plain, Special(Hello), false, 0);
        const bool ignores = t.game.match.board.threads[slot].noClockText;
        ignoring += ignores ? 1 : 0;
        EXPECT_EQ(Res(t.game, slot).Entry(0).text, ignores ? "special 40" : "special 11");
    }
    EXPECT_GT(ignoring, 20);
    EXPECT_LT(ignoring, 90);
}

TEST_F(ResTest, AboneWipesEveryShownPostAndNothingElse)
{
    t.game.rules.SetAbone(Slot);
    EXPECT_EQ(Numbers(), (std::vector<int>(8, 0)));

    Post(3, Tall);
    ASSERT_GT(res.EntryHeight(0), res.EntryHeight(1));
    t.game.rules.SetAbone(Slot);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const ResEntry e = res.Entry(i);
        EXPECT_EQ(e.number, 3 - i);
        EXPECT_EQ(e.name, "あぼーん");
        EXPECT_EQ(e.text, "あぼーん");
        EXPECT_EQ(e.date, "あぼーん");
        EXPECT_EQ(e.id, "*");
        EXPECT_EQ(e.agesage, 1);
        // Measured again: the tall post is now as short as the others.
        EXPECT_EQ(res.EntryHeight(i), res.EntryHeight(0));
    }
    EXPECT_EQ(res.Entry(3).number, 0);
    EXPECT_EQ(res.EntryHeight(3), 0);

    Post(20);
    t.game.rules.SetAbone(Slot);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(res.Entry(i).number, 23 - i);
        EXPECT_EQ(res.Entry(i).text, "あぼーん");
    }
}

TEST_F(ResTest, PaintShowsTheNewestPostAtTheBottom)
{
    Picture& pic = t.game.PictureMain;
    // One short post sits at the top of the rectangle: its blue underlined number on the first row.
    Post(1, OneLine);
    res.Paint(pic, 10, 20, 400, 200);
    const int underline = 20 + res.EntryHeight(0);
    bool blueNearTop = false;
    for (int y = 20; y < 40; ++y)
        blueNearTop = blueNearTop || pic.Pixel(12, y) == 0xFF0000 || pic.Pixel(16, y) == 0xFF0000;
    EXPECT_TRUE(blueNearTop);
    EXPECT_LT(underline, 220);
    EXPECT_EQ(pic.Pixel(300, 215), 0xFFFFFFu);

    // Eight tall posts overflow: the newest one's text ends at the bottom edge of the rectangle.
    pic.Clear();
    Post(8, Tall);
    res.Paint(pic, 10, 20, 400, 200);
    bool inkAtBottom = false;
    for (int y = 200; y < 220; ++y) {
        for (int x = 10; x < 60; ++x)
            inkAtBottom = inkAtBottom || Blends(pic.Pixel(x, y), 0xFFFFFF, 0x000000);
    }
    EXPECT_TRUE(inkAtBottom);
    EXPECT_EQ(pic.Pixel(5, 100), 0xFFFFFFu);
    EXPECT_EQ(pic.Pixel(415, 100), 0xFFFFFFu);
}

} // namespace
