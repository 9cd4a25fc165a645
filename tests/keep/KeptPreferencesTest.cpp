#include "keep/Envelope.h"
#include "keep/KeptSession.h"
#include "keep/Preferences.h"
#include "platform/KeyCodes.h"
#include "screens/Opening.h"
#include "shell/Narrator.h"
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

TEST(KeptPreferences, TheSettingsScreenChangesTheOpponentsAndThePaceForTheNextStartToo)
{
    const std::string profile = MakeTempDir();
    {
        KeptSession s(profile, 9, false);
        s.game.narrator = std::make_unique<Narrator>(s.game);
        s.beforeKey = [&s](int state) {
            if (state != StateTitle)
                return false;
            // Right: strong opponents; Down, Right, Right: a quarter of the pauses; Escape leaves.
            for (const int key :
                 {int{KeptGames::SettingsKey}, int{KeyCode::Right}, int{KeyCode::Down}, int{KeyCode::Right},
                  int{KeyCode::Right}, int{KeyCode::Right}, int{KeyCode::Escape}})
                s.headless.ScheduleAfter(0, InputEvent::Key(key));
            s.beforeKey = [](int) { return false; };
            return false;
        };
        s.Play();
        EXPECT_EQ(s.game.GameState, StateTitle);
        EXPECT_EQ(s.game.opponents, Strength::Strong);
        EXPECT_EQ(s.game.Paced(1000), 250);
        const std::vector<std::string>& said = s.headless.Narrated();
        for (const char* line : {"相手の強さ、強い", "進行の速さ、50%", "進行の速さ、25%"})
            EXPECT_NE(std::find(said.begin(), said.end(), line), said.end()) << line;
    }
    KeptSession again(profile, 9, false);
    again.beforeKey = [](int) { return false; };
    again.Play();
    EXPECT_EQ(again.game.opponents, Strength::Strong);
    EXPECT_EQ(again.game.pace, 25);
    again.game.paceOverride = 100;
    EXPECT_EQ(again.game.Paced(1000), 1000);
}

TEST(KeptPreferences, ARecordReadsBackAndOneWithAStrengthUnknownHereIsDamaged)
{
    std::string why;
    for (const Strength opponents : Strengths) {
        const std::optional<Preferences> again = Preferences::Parse(Preferences{opponents}.Serialize(), why);
        ASSERT_TRUE(again.has_value()) << why;
        EXPECT_EQ(again->opponents, opponents);
    }
    const std::optional<Preferences> paced =
        Preferences::Parse(Preferences{Strength::Weak, 50}.Serialize(), why);
    ASSERT_TRUE(paced.has_value()) << why;
    EXPECT_EQ(paced->pace, 50);
    for (const char* body : {R"({"opponents":"fierce"})", R"({"pace":30})", R"({"pace":"25"})"}) {
        EXPECT_FALSE(Preferences::Parse(Envelope::Seal(Preferences::Kind, 1, body), why).has_value()) << body;
        EXPECT_EQ(why, "damaged");
    }
}

} // namespace
