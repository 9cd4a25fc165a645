#include "keep/Envelope.h"
#include "keep/KeptSession.h"
#include "keep/Preferences.h"
#include "screens/Opening.h"
#include "support/TestGame.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// What the next start of the program chooses before anything is pressed.
Strength OpponentsAtStart(const std::string& profile, std::string& messages)
{
    KeptSession s(profile, 9, false);
    s.beforeKey = [](int) { return false; };
    s.Play();
    messages = s.messages.str();
    return s.game.opponents;
}

TEST(KeptPreferences, TheChosenOpponentsOutliveTheProgramAndTheirGamesCountApart)
{
    const std::string profile = MakeTempDir();
    {
        KeptSession s(profile, 9, false);
        bool clicked = false;
        s.beforeKey = [&](int state) {
            if (state != StateSelect || clicked)
                return true;
            clicked = true;
            const Rect weak = Opening::OpponentsBox(Strength::Weak);
            s.headless.ScheduleAfter(0, InputEvent::Click(weak.left + 4, weak.top + 4));
            return false;
        };
        s.Play();
        ASSERT_TRUE(clicked);
        EXPECT_EQ(s.report.GamesFinished(), 1);
        EXPECT_EQ(s.messages.str(), "");
    }
    std::string messages;
    EXPECT_EQ(OpponentsAtStart(profile, messages), Strength::Weak);
    EXPECT_EQ(messages, "");

    FolderStore store(profile);
    const Statistics stats = KeptGames::LoadStatistics(store, std::cerr);
    EXPECT_EQ(stats.Against(Strength::Weak)[0].finished, 1);
    EXPECT_FALSE(stats.Played(Strength::Standard));

    // A damaged record is set aside with one message, and the choice starts again as new.
    std::string error;
    ASSERT_TRUE(store.Save(KeptGames::PreferencesName, "pakaponta-preferences 1 0\n{}", error)) << error;
    EXPECT_EQ(OpponentsAtStart(profile, messages), Strength::Standard);
    EXPECT_NE(messages.find("preferences is damaged"), std::string::npos) << messages;
    EXPECT_EQ(std::count(messages.begin(), messages.end(), '\n'), 1) << messages;
    EXPECT_FALSE(store.Load(KeptGames::PreferencesName).exists);
    EXPECT_EQ(OpponentsAtStart(profile, messages), Strength::Standard);
    EXPECT_EQ(messages, "");
}

TEST(KeptPreferences, ARecordReadsBackAndOneWithAStrengthUnknownHereIsDamaged)
{
    std::string why;
    for (const Strength opponents : Strengths) {
        const std::optional<Preferences> again = Preferences::Parse(Preferences{opponents}.Serialize(), why);
        ASSERT_TRUE(again.has_value()) << why;
        EXPECT_EQ(again->opponents, opponents);
    }
    const std::string body = R"({"opponents":"fierce"})";
    EXPECT_FALSE(Preferences::Parse(Envelope::Seal(Preferences::Kind, 1, body), why).has_value());
    EXPECT_EQ(why, "damaged");
}

} // namespace
