#include "keep/KeptSession.h"
#include "shell/ModuleCommon.h"
#include "support/TestGame.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t Seed = 5;
// The player's turn after this many of their cards: far enough in for pop-ups, dates and a hand
// that has changed.
constexpr int StopAfter = 6;
// The wall clock of the first start, and of the next: a day later, so that every date the resumed
// game shows must come from its record.
constexpr std::time_t FirstStart = 1800000000;
constexpr std::time_t NextStart = FirstStart + 86400;

struct Outcome {
    std::vector<uint32_t> screen;
    std::string line;
    std::string messages;
    bool closedInPopUp = false;
};

std::vector<uint32_t> OutsideThreadView(std::vector<uint32_t> screen)
{
    const AreaRect view = GetArea(AreaThreadView);
    for (int y = view.Top; y < view.Bottom; ++y)
        std::fill(screen.begin() + y * ClientWidth + view.Left, screen.begin() + y * ClientWidth + view.Right,
                  0);
    return screen;
}

// The whole game without a break: the screen of the player's turn after StopAfter cards, and the
// final line.
Outcome Unbroken(const std::string& profile)
{
    KeptSession s(profile, Seed, true, FirstStart);
    Outcome run;
    s.beforeKey = [&](int state) {
        if (state == StatePlayerTurn && s.commits == StopAfter && run.screen.empty())
            run.screen = s.Screen();
        return true;
    };
    s.Play();
    run.line = s.lines.str();
    return run;
}

// Stops at the player's turn after StopAfter cards, as a kill would (nothing more happens); or, with
// closeInPopUp, closes the window in the first pop-up that follows the last of those cards.
Outcome Broken(const std::string& profile, bool closeInPopUp)
{
    KeptSession s(profile, Seed, true, FirstStart);
    Outcome run;
    s.beforeKey = [&](int) { return s.commits < StopAfter; };
    if (closeInPopUp) {
        s.onPopUp = [&](int32_t) {
            if (s.commits == StopAfter && !run.closedInPopUp) {
                run.closedInPopUp = true;
                s.headless.ScheduleAfter(500, InputEvent::Close());
            }
        };
    }
    s.Play();
    run.screen = s.Screen();
    run.messages = s.messages.str();
    return run;
}

// The next start with the same profile: the screen once the game waits for the player again, and the
// rest of the game played out.
Outcome Resumed(const std::string& profile)
{
    KeptSession s(profile, Seed, true, NextStart);
    Outcome run;
    s.beforeKey = [&](int state) {
        if (state == StatePlayerTurn && run.screen.empty())
            run.screen = s.Screen();
        return true;
    };
    s.Play();
    run.line = s.lines.str();
    run.messages = s.messages.str();
    return run;
}

TEST(KeptGames, ResumedGameShowsTheSameTurnAndPlaysOnAsWithoutTheBreak)
{
    const Outcome unbroken = Unbroken(MakeTempDir());
    ASSERT_FALSE(unbroken.screen.empty());
    ASSERT_FALSE(unbroken.line.empty());

    for (const bool closeInPopUp : {false, true}) {
        SCOPED_TRACE(closeInPopUp ? "closed during a pop-up" : "killed in the player's turn");
        const std::string profile = MakeTempDir();
        const Outcome broken = Broken(profile, closeInPopUp);
        EXPECT_EQ(broken.closedInPopUp, closeInPopUp);
        if (!closeInPopUp) {
            EXPECT_TRUE(broken.screen == unbroken.screen);
        }
        const Outcome resumed = Resumed(profile);
        EXPECT_EQ(resumed.messages, "");
        if (closeInPopUp) {
            // The responses posted after the close were posted when the game went on: the next day.
            EXPECT_TRUE(OutsideThreadView(resumed.screen) == OutsideThreadView(unbroken.screen));
            EXPECT_FALSE(resumed.screen == unbroken.screen);
        } else {
            EXPECT_TRUE(resumed.screen == unbroken.screen);
        }
        EXPECT_TRUE(SameGameResumed(resumed.line, unbroken.line));
        // The finished game leaves nothing to resume.
        EXPECT_FALSE(FolderStore(profile).Load(KeptGames::RecordName).exists);
    }
}

TEST(KeptGames, AGameAgainstStrongOpponentsResumesWithThemAndEndsTheSame)
{
    const auto play = [](const std::string& profile, std::time_t clock, bool chooseStrong, int stopAfter) {
        KeptSession s(profile, Seed, false, clock);
        // The resumed run chooses nothing: its opponents can only come from the record.
        if (chooseStrong)
            s.game.seatOverrides = {std::nullopt, Strength::Strong, Strength::Strong, Strength::Strong};
        s.beforeKey = [&s, stopAfter](int) { return stopAfter < 0 || s.commits < stopAfter; };
        s.Play();
        return s.lines.str();
    };
    // An hour after the clocks above: a response posted at 08:00 takes the morning's greeting, so
    // the two days' games would part there whoever played them.
    const std::time_t first = FirstStart + 3600;
    const std::time_t next = NextStart + 3600;
    const std::string unbroken = play(MakeTempDir(), first, true, -1);
    const std::string profile = MakeTempDir();
    play(profile, first, true, StopAfter);
    const std::string resumed = play(profile, next, false, -1);
    ASSERT_FALSE(unbroken.empty());
    EXPECT_TRUE(SameGameResumed(resumed, unbroken));
    // Standard opponents would have played another game from the same record.
    EXPECT_FALSE(SameGameResumed(play(MakeTempDir(), first, false, -1), unbroken));
}

} // namespace
