#include "board/Res.h"

#include "board/Ink.h"
#include "support/TestGame.h"

#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace {

class ResTest : public testing::Test {
protected:
    ResTest()
    {
        t.LoadFixtureData();
        res.ClassInit(&t.game.PictureTemp);
        res.CreateRes(3);
    }

    // Posts plainly: the player's name and ID, a text of its own, clock texts allowed.
    void Post(int count, const std::string& text = "hello", bool priority = false)
    {
        res.AddRes(count, "player", "ID000000", 0, "", text, priority, 0);
    }

    std::vector<int> Numbers() const
    {
        std::vector<int> numbers;
        for (int i = 0; i < 8; ++i)
            numbers.push_back(res.Entry(i).number);
        return numbers;
    }

    // A clock that reads the given local hour and minute today.
    void SetClock(int hour, int minute)
    {
        t.game.now = [hour, minute] {
            std::tm local{};
            local.tm_year = 124;
            local.tm_mon = 4;
            local.tm_mday = 6;
            local.tm_hour = hour;
            local.tm_min = minute;
            local.tm_isdst = -1;
            return std::mktime(&local);
        };
    }

    TestGame t;
    Res res{t.game};
};

TEST_F(ResTest, NumbersNewPostsAndFillsTheGapsWithFillerPosts)
{
    Post(1);
    EXPECT_EQ(Numbers(), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(res.Entry(0).name, "player");
    EXPECT_GT(res.EntryHeight(0), 0);

    res.ClearRes();
    res.CreateRes(3);
    Post(5);
    EXPECT_EQ(Numbers(), (std::vector<int>{5, 4, 3, 2, 1, 0, 0, 0}));
    Post(3);
    EXPECT_EQ(Numbers(), (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1}));
    // Filler posts are the thread's own: its poster name and one of its responses.
    EXPECT_EQ(res.Entry(1).name, "poster 3");
    EXPECT_EQ(res.Entry(1).text.rfind("thread 3 res ", 0), 0u);
    EXPECT_EQ(res.Entry(1).id.size(), 8u);
    EXPECT_EQ(res.Entry(0).text, "hello");
}

TEST_F(ResTest, TenPostsOnTwentyThreeKeepOnlyTheNewestEight)
{
    Post(23);
    EXPECT_EQ(res.Entry(0).number, 23);
    Post(10);
    EXPECT_EQ(Numbers(), (std::vector<int>{33, 32, 31, 30, 29, 28, 27, 26}));
}

TEST_F(ResTest, ReachingAThousandAddsTheClosingPost)
{
    Post(995);
    Post(10);
    EXPECT_EQ(Numbers(), (std::vector<int>{1001, 1000, 999, 998, 997, 996, 995, 994}));
    const ResEntry& closing = res.Entry(0);
    EXPECT_EQ(closing.name, "１００１");
    EXPECT_EQ(closing.id, "*");
    EXPECT_EQ(closing.date, "Over 1000 Thread");
    EXPECT_EQ(closing.text, "このスレッドは１０００を超えました。\r\n"
                            "もう書けないので､新しいスレッドを立ててくださいです｡｡｡ ");
    EXPECT_EQ(res.Entry(1).text, "hello");
}

TEST_F(ResTest, EmptyTextTakesAFillerByGodMode)
{
    res.AddRes(1, "", "", 0, "", "", false, 1);
    EXPECT_EQ(res.Entry(0).name, "poster 3");
    EXPECT_EQ(res.Entry(0).id.size(), 8u);
    const std::string& admin = res.Entry(0).text;
    EXPECT_EQ(admin.rfind("special ", 0), 0u);
    const int n = std::stoi(admin.substr(8));
    EXPECT_GE(n, 13);
    EXPECT_LE(n, 20);

    res.AddRes(1, "", "", 0, "", "", false, 2);
    const int god = std::stoi(res.Entry(0).text.substr(8));
    EXPECT_GE(god, 21);
    EXPECT_LE(god, 29);
    res.AddRes(1, "", "", 0, "", "", false, 5);
    EXPECT_EQ(res.Entry(0).text, "");
}

TEST_F(ResTest, DatesComeFromTheClockAndTheHoursHaveTheirOwnTexts)
{
    // A list made without CreateRes never ignores the clock.
    Res fresh(t.game);
    fresh.ClassInit(&t.game.PictureTemp);
    SetClock(23, 0);
    fresh.AddRes(1, "a", "b", 0, "", "text", false, 0);
    EXPECT_EQ(fresh.Entry(0).date, "24/05/06 23:00");
    EXPECT_EQ(fresh.Entry(0).text, "special 11");
    SetClock(8, 0);
    fresh.AddRes(1, "a", "b", 0, "", "text", false, 0);
    EXPECT_EQ(fresh.Entry(0).text, "special 12");
    fresh.AddRes(1, "a", "b", 0, "", "fixed", true, 0);
    EXPECT_EQ(fresh.Entry(0).text, "fixed");
    SetClock(8, 1);
    fresh.AddRes(1, "a", "b", 0, "", "text", false, 0);
    EXPECT_EQ(fresh.Entry(0).text, "text");
    // A date given by the card counts too.
    fresh.AddRes(1, "a", "b", 0, "x 23:00", "text", false, 0);
    EXPECT_EQ(fresh.Entry(0).text, "special 11");
}

TEST_F(ResTest, SomeThreadsIgnoreTheClock)
{
    SetClock(23, 0);
    int ignoring = 0;
    for (int i = 0; i < 200; ++i) {
        res.ClearRes();
        res.CreateRes(1);
        Post(1);
        if (res.noClockText()) {
            ++ignoring;
            EXPECT_EQ(res.Entry(0).text, "hello");
        } else {
            EXPECT_EQ(res.Entry(0).text, "special 11");
        }
    }
    EXPECT_GT(ignoring, 20);
    EXPECT_LT(ignoring, 90);
}

TEST_F(ResTest, AboneBlanksOnlyTheShownPosts)
{
    res.SetAbone();
    EXPECT_EQ(res.Entry(0).number, 0);

    Post(3);
    res.SetAbone();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(res.Entry(i).number, 3 - i);
        EXPECT_EQ(res.Entry(i).name, "あぼーん");
        EXPECT_EQ(res.Entry(i).text, "あぼーん");
        EXPECT_EQ(res.Entry(i).date, "あぼーん");
        EXPECT_EQ(res.Entry(i).id, "*");
        EXPECT_EQ(res.Entry(i).agesage, 1);
        EXPECT_EQ(res.EntryHeight(i), res.EntryHeight(0));
    }
    EXPECT_EQ(res.Entry(3).number, 0);
    EXPECT_EQ(res.EntryHeight(3), 0);
}

TEST_F(ResTest, ClearEmptiesEverything)
{
    Post(4);
    res.ClearRes();
    EXPECT_EQ(Numbers(), (std::vector<int>(8, 0)));
    EXPECT_EQ(res.EntryHeight(0), 0);
    EXPECT_EQ(res.rIndex(), -1);
    EXPECT_FALSE(res.noClockText());
}

TEST_F(ResTest, PaintShowsTheNewestPostAtTheBottom)
{
    Picture& pic = t.game.PictureMain;
    // One short post sits at the top of the rectangle: its blue underlined number on the first row.
    Post(1, "one line");
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
    std::string tall = "a";
    for (int i = 0; i < 6; ++i)
        tall += "\r\nline";
    Post(8, tall);
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
