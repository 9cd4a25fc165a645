#include "shell/Narrator.h"

#include "events/EventCtrl.h"
#include "platform/KeyCodes.h"
#include "players/PlayerCtrl.h"
#include "screens/ScreenGame.h"
#include "shell/Game.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Since(const HeadlessPlatform& platform, size_t from)
{
    const std::vector<std::string>& all = platform.Narrated();
    return {all.begin() + static_cast<std::ptrdiff_t>(from), all.end()};
}

TEST(Narrator, SaysTheScreenOnceAndThenOnlyWhatChanged)
{
    ScreenGame s(false);
    s.game.narrator = std::make_unique<Narrator>(s.game);
    s.ShowTitle();
    s.game.narrator->Update();
    const std::vector<std::string> first = s.platform.Narrated();
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0].rfind("タイトル画面", 0), 0u);
    EXPECT_EQ(first.back(), "またーり 山札式");
    s.game.narrator->Update();
    EXPECT_EQ(s.platform.Narrated().size(), first.size());

    s.Key(KeyCode::Down);
    s.game.narrator->Update();
    EXPECT_EQ(Since(s.platform, first.size()), std::vector<std::string>{"殺伐 山札式"});
}

TEST(Narrator, ThePlayersTurnSaysTheCardTheRowAndTheBoxAndReadsOnDemand)
{
    ScreenGame s(false);
    s.game.narrator = std::make_unique<Narrator>(s.game);
    s.ShowTitle();
    s.Key(KeyCode::Enter);
    s.Key(KeyCode::Enter);
    ASSERT_TRUE(s.RunUntilWaitIn(StatePlayerTurn));
    // The program says what changed each time it waits for a key: here, the test waits.
    Narrator& narrator = *s.game.narrator;
    narrator.Update();
    const std::vector<std::string>& said = s.platform.Narrated();
    const auto has = [&said](size_t from, const std::string& start) {
        for (size_t i = from; i < said.size(); ++i) {
            if (said[i].rfind(start, 0) == 0)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has(0, "あなたの番です"));
    EXPECT_TRUE(has(0, "1枚目、"));
    EXPECT_TRUE(has(0, "1行目、"));

    size_t from = said.size();
    s.Key(KeyCode::Down);
    narrator.Update();
    EXPECT_TRUE(has(from, "2行目、"));
    EXPECT_EQ(said.back(), narrator.BoxLine());

    from = said.size();
    s.Key('C');
    const PlayerData& me = s.game.match.players[0];
    const auto held =
        std::count_if(me.handCard.begin(), me.handCard.end(), [](int32_t c) { return c != NO_CARD; });
    EXPECT_EQ(said.size() - from, static_cast<size_t>(held));
    from = said.size();
    s.Key('P');
    ASSERT_EQ(said.size(), from + 1);
    EXPECT_EQ(said.back().rfind("得点、あなた 0点", 0), 0u);
}

TEST(Narrator, APopUpSaysItsTitlePlayerAndPoints)
{
    ScreenGame s(false);
    const std::string line = s.game.eventCtrl->Spoken(KiribanGet + 1, "", 1, 30);
    EXPECT_EQ(line.rfind(EventCtrl::EventTitle(KiribanGet + 1), 0), 0u) << line;
    EXPECT_NE(line.find(s.game.playerCtrl->GetPlayerName(1)), std::string::npos) << line;
    EXPECT_NE(line.find("30点"), std::string::npos) << line;
}

} // namespace
