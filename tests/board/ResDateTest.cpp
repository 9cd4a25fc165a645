// Response dates follow the clock minute by minute, however many responses share a minute.
#include "board/Res.h"
#include "support/TestGame.h"

#include <ctime>
#include <gtest/gtest.h>

namespace {

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(ResDateTest, EachResponseShowsTheMinuteItWasPostedIn)
{
    TestGame t;
    t.LoadFixtureData();
    t.game.UpdateRuleTables();
    constexpr int Slot = 2;
    t.game.match.board.threads[Slot].resIndex = 0;
    Res res(t.game, Slot);
    std::time_t now = LocalTime(2024, 12, 31, 23, 59, 10);
    t.game.now = [&now] { return now; };
    auto post = [&t, &res] {
        t.game.rules.PostDate(t.game.PostDate());
        t.game.rules.AddPosts(Slot, 1, 0, nullptr, 0, Post::Plain, {TextRef::Special, 40, 0}, true, 0);
        return res.Entry(0).date;
    };
    EXPECT_EQ(post(), "24/12/31 23:59");
    now += 45;
    EXPECT_EQ(post(), "24/12/31 23:59");
    now += 10;
    EXPECT_EQ(post(), "25/01/01 00:00");
    now = LocalTime(2024, 12, 31, 23, 59, 50);
    EXPECT_EQ(post(), "24/12/31 23:59") << "the clock set back";
    now = LocalTime(2025, 6, 1, 8, 0, 0);
    EXPECT_EQ(post(), "25/06/01 08:00");
    // An older post keeps the minute it was posted in.
    EXPECT_EQ(res.Entry(1).date, "24/12/31 23:59");
}

} // namespace
