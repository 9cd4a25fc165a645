#include "board/ThreadCtrl.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/Game.h"
#include "sound/Sounds.h"

void PlayerCtrl::Pause(int ms)
{
    game_.Wait(game_.GetTickCount(), ms);
}

void PlayerCtrl::GamePlayInit()
{
    game_.rules.BeginDeal();
    game_.cardCtrl->CardSet();
}

void PlayerCtrl::GamePlayStart()
{
    CardCtrl& cards = *game_.cardCtrl;
    Rules& rules = game_.rules;
    rules.DealHands();
    const std::array<int, 4> order = rules.OpeningOrder();

    if (game_.sounds)
        game_.sounds->playSound(4);
    // The four opening cards start four frames apart and fly in one after another.
    for (int f = 20; f >= -16; --f) {
        const uint32_t t0 = game_.GetTickCount();
        mainPic_->Clear();
        game_.border->PaintBoard(*mainPic_);
        game_.border->PaintCardArea(*mainPic_, false);
        for (int d = 0; d < 4; ++d)
            cards.PaintMoveCard(*mainPic_, Player(order[d]).handCard[0], order[d], f + 4 * d);
        game_.RefreshScreen();
        game_.Wait(t0, game_.Paced(game_.consts->TimeCardMove()));
    }
    Pause(game_.Paced(Consts::TimeAfterDeal));

    for (int q : order) {
        const CardPlay play{q, 0, Player(q).handCard[0], 0, false};
        game_.NotifyCardCommit(play, false);
        rules.OpenThread(q, game_.PostDate());
        game_.NotifyCardCommit(play, true);
    }
    for (int q : order)
        rules.DrawOpening(q);
}

void PlayerCtrl::NextStandBy()
{
    ++standByDepth_;
    const struct Leave {
        int32_t& depth;
        ~Leave() { --depth; }
    } leave{standByDepth_};
    game_.GameState = StateRunning;
    Player(0).currentThread = 0;
    game_.RepaintBoard();
    game_.RefreshScreen();

    while (!game_.cardCtrl->EOC()) {
        const int cur = game_.rules.NextMover();
        if ((game_.GameMode & ModeHarsh) != 0)
            game_.score->Paint(cur);
        game_.rules.BeginTurn(cur);
        if (cur != 0)
            PlayComputerTurn(cur);

        game_.RepaintBoard();
        game_.RefreshScreen();
        if (game_.sounds)
            game_.sounds->playBGM(BgmGame);
        if (cur == 0)
            break;
    }
    if (!game_.cardCtrl->EOC()) {
        game_.GameState = StatePlayerTurn;
        return;
    }
    EndGame();
}

void PlayerCtrl::PlayComputerTurn(int player)
{
    PlayerData& p = Player(player);
    game_.RepaintBoard();
    game_.RefreshScreen();
    Pause(game_.Paced(game_.consts->TimeCompNext));

    const int32_t best = game_.comp->GetBestCard(player);
    const int32_t position = best / 10;
    const int32_t slot = best % 10;
    while (p.currentThread != position) {
        MoveCurrentThread(player, 1);
        game_.RepaintBoard();
        game_.RefreshScreen();
        Pause(game_.Paced(game_.consts->TimeCompThread));
    }
    // The walk skips empty slots, so on a short hand it may never reach the slot: bounded.
    for (int step = 0; step < 10 && p.currentCard != slot; ++step)
        MoveCurrentCard(player, 1);
    CardCommit(player);
}

void PlayerCtrl::EndGame()
{
    if (game_.sounds)
        game_.sounds->playBGM(BgmStop);
    game_.RepaintBoard();
    game_.RefreshScreen();
    Pause(Consts::TimeBeforeGameOver);

    game_.threadCtrl->AllDat();

    const uint32_t t0 = game_.GetTickCount();
    game_.GameState = StateGameOver;
    game_.AwaitInput([this] { return game_.GameState != StateRunning; }, t0 + Consts::TimeGameOver);

    game_.rules.LiftBans();
    if (game_.opening)
        game_.opening->PaintEnding();
}

bool PlayerCtrl::CardCommit(int player)
{
    const std::optional<CardPlay> play = game_.rules.PlayAtCursor(player);
    if (!play)
        return false;
    game_.NotifyCardCommit(*play, false);
    if (!play->discard && game_.sounds)
        game_.sounds->playSound(4);
    PaintMoveCard(*mainPic_, play->cardNo, player, true);
    if (!play->discard)
        game_.threadCtrl->PayCard(play->position, play->cardNo, player);
    game_.NotifyCardCommit(*play, true);
    game_.rules.Replenish(*play);
    return true;
}
