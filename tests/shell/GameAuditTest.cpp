#include "shell/GameAudit.h"

#include "board/ThreadCtrlProbe.h"
#include "events/Score.h"
#include "players/PlayerCtrl.h"
#include "players/PlayersGame.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

// A game at seat 0's first turn, consistent by construction.
struct AuditedGame {
    AuditedGame()
    {
        g.StartGame(0);
        g.players().NextStandBy();
    }

    bool Finds(const std::string& part)
    {
        audit.Clear();
        audit.CheckBetweenMoves();
        for (const std::string& what : audit.Violations()) {
            if (what.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

    PlayersGame g;
    GameAudit audit{g.game};
    ThreadCtrlProbe probe{*g.game.threadCtrl};
};

TEST(GameAudit, ASoundGameHasNoViolations)
{
    AuditedGame a;
    ASSERT_EQ(a.g.game.GameState, StatePlayerTurn);
    a.audit.CheckBetweenMoves();
    EXPECT_EQ(a.audit.Violations(), std::vector<std::string>{});
}

TEST(GameAudit, FindsBrokenBoards)
{
    {
        AuditedGame a;
        a.probe.order()[1] = a.probe.order()[0];
        EXPECT_TRUE(a.Finds("permutation"));
    }
    {
        AuditedGame a;
        a.probe.threadCount() += 1;
        EXPECT_TRUE(a.Finds("threadCount"));
    }
    {
        AuditedGame a;
        a.probe.threadMax() = 12;
        EXPECT_TRUE(a.Finds("threadMax 12"));
    }
    {
        AuditedGame a;
        // A finished thread left at the top of the board.
        a.g.game.threadCtrl->GetThread(0).StopFlag(true);
        EXPECT_TRUE(a.Finds("finished thread among the live at position 0"));
    }
}

TEST(GameAudit, FindsBrokenHandsScoresAndStates)
{
    {
        AuditedGame a;
        auto& hand = a.g.players().Player(2).handCard;
        std::swap(hand[0], hand[9]);
        EXPECT_TRUE(a.Finds("unsorted hand of player 2"));
    }
    {
        AuditedGame a;
        a.g.players().Player(1).handCard[9] = NO_CARD;
        EXPECT_TRUE(a.Finds("empty slot while cards remain, player 1"));
    }
    {
        AuditedGame a;
        // A kind the score column does not know counts in the total only.
        a.g.game.score->AddScore(3, 50, 7);
        EXPECT_TRUE(a.Finds("total is not the sum of the three kinds, player 3"));
    }
    {
        AuditedGame a;
        a.g.game.GameState = 55;
        EXPECT_TRUE(a.Finds("GameState 55"));
    }
}

TEST(GameAudit, GameOverNeedsEveryCardDrawn)
{
    AuditedGame a;
    a.audit.CheckGameOver();
    ASSERT_FALSE(a.audit.Violations().empty());
    EXPECT_NE(a.audit.Violations()[0].find("not 204"), std::string::npos);
}

} // namespace
