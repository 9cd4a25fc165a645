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
    game_.score->ScoreInit();
    game_.threadCtrl->GameInit();
    firstPlayer_ = game_.rng.Below(4);
    game_.cardCtrl->CardSet();
}

void PlayerCtrl::GamePlayStart()
{
    CardCtrl& cards = *game_.cardCtrl;
    game_.LastCardWait = 0;

    std::array<int, 4> position{};
    for (int p = 0; p < 4; ++p)
        position[p] = (p + 4 - firstPlayer_) % 4;
    for (int p = 0; p < 4; ++p) {
        PlayerData& d = players_[p];
        d.currentCard = 0;
        d.currentThread = 0;
        d.stopCount = 0;
        d.myCardCount = 0;
        d.waitCount = 2 * position[p];
    }
    for (int k = 0; k < 10; ++k) {
        for (int p = 0; p < 4; ++p)
            players_[p].handCard[k] = cards.NextCardIndex(p);
    }

    if (game_.sounds)
        game_.sounds->playSound(4);
    // The four opening cards start four frames apart and fly in one after another.
    for (int f = 20; f >= -16; --f) {
        const uint32_t t0 = game_.GetTickCount();
        mainPic_->Clear();
        game_.border->PaintBoard(*mainPic_);
        game_.border->PaintCardArea(*mainPic_, false);
        for (int d = 0; d < 4; ++d) {
            const int q = position[d];
            cards.PaintMoveCard(*mainPic_, players_[q].handCard[0], q, f + 4 * d);
        }
        game_.RefreshScreen();
        game_.Wait(t0, game_.consts->TimeCardMove());
    }
    Pause(Consts::TimeAfterDeal);

    for (int d = 0; d < 4; ++d) {
        const int q = position[d];
        const CardPlay play{q, 0, players_[q].handCard[0], 0, false};
        game_.NotifyCardCommit(play, false);
        game_.threadCtrl->PayCard(0, players_[q].handCard[0], q);
        game_.NotifyCardCommit(play, true);
    }
    for (int d = 0; d < 4; ++d) {
        const int q = position[d];
        players_[q].handCard[0] = cards.NextCardIndex(q);
        SortHand(q);
    }
}

void PlayerCtrl::NextStandBy()
{
    ++standByDepth_;
    const struct Leave {
        int32_t& depth;
        ~Leave() { --depth; }
    } leave{standByDepth_};
    game_.GameState = StateRunning;
    players_[0].currentThread = 0;
    game_.RepaintBoard();
    game_.RefreshScreen();

    while (!game_.cardCtrl->EOC()) {
        ++turnCount_;
        const int cur = (game_.GameMode & ModeHarsh) != 0 ? NextHarshMover() : NextMaatariMover();

        CardEnableCheck(cur);
        if (!players_[cur].enableCard)
            game_.eventCtrl->OpenEvent(Deadlock, game_.specialTexts[SpecialText::NoPlayableCard], cur, 0);
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

int32_t PlayerCtrl::NextMaatariMover()
{
    for (;;) {
        const int cur = GetCurrentPlayer();
        PlayerData& p = players_[cur];
        if (p.stopCount == 0)
            return cur;
        if (p.stopCount == 1) {
            p.stopCount = 0;
            game_.RepaintBoard();
            game_.RefreshScreen();
            game_.eventCtrl->OpenEvent(BanLifted, game_.specialTexts[SpecialText::BanLifted], cur, 0);
            return cur;
        }
        game_.RepaintBoard();
        game_.RefreshScreen();
        game_.eventCtrl->OpenEvent(StillBanned, game_.specialTexts[SpecialText::StillBanned], cur, 0);
        p.stopCount -= 1;
        // A banned player still loses his turn's card, so every deck stays the same length.
        if ((game_.GameMode & ModeDeck) != 0)
            game_.cardCtrl->NextCardIndex(cur);
        ++turnCount_;
    }
}

int32_t PlayerCtrl::NextHarshMover()
{
    // The last mover still has the lowest count at or below zero: he pays for his card now.
    const int last = GetCurrentPlayer();
    if (last < 4)
        AddWaitCount(last, game_.LastCardWait);
    while (GetCurrentPlayer() == 4) {
        CountDownWaits();
        game_.score->Paint(-1);
        game_.RefreshScreen();
        Pause(game_.consts->TimeBarClear);
    }
    const int cur = GetCurrentPlayer();
    game_.score->Paint(cur);
    return cur;
}

void PlayerCtrl::CountDownWaits()
{
    bool boundary = false;
    while (!boundary) {
        for (int i = 0; i < 4; ++i) {
            players_[i].waitCount -= 1;
            if (GetMyCardLast(i) != 0) {
                if (players_[i].waitCount % 10 == 0)
                    boundary = true;
            } else if (players_[i].waitCount < 300) {
                // Out of cards: kept out of reach so that he never moves again.
                AddWaitCount(i, 300);
            }
        }
    }
}

void PlayerCtrl::PlayComputerTurn(int player)
{
    PlayerData& p = players_[player];
    game_.RepaintBoard();
    game_.RefreshScreen();
    Pause(game_.consts->TimeCompNext);

    const int32_t best = game_.comp->GetBestCard(player);
    const int32_t position = best / 10;
    const int32_t slot = best % 10;
    while (p.currentThread != position) {
        MoveCurrentThread(player, 1);
        game_.RepaintBoard();
        game_.RefreshScreen();
        Pause(game_.consts->TimeCompThread);
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

    for (PlayerData& p : players_)
        p.stopCount = 0;
    if (game_.opening)
        game_.opening->PaintEnding();
}

bool PlayerCtrl::CardCommit(int player)
{
    PlayerData& p = players_[player];
    const int32_t slot = p.currentCard;
    const int32_t position = p.currentThread;
    const int32_t card = p.handCard[slot];
    // A click may put the cursor on an empty slot; there is nothing to play or discard there.
    if (card == NO_CARD)
        return false;

    const CardPlay play{player, slot, card, position, !p.enableCard};
    if (p.enableCard) {
        if (!p.enable[position][slot])
            return false;
        game_.NotifyCardCommit(play, false);
        if (game_.sounds)
            game_.sounds->playSound(4);
        PaintMoveCard(*mainPic_, card, player, true);
        game_.threadCtrl->PayCard(position, card, player);
    } else {
        // Nothing can be played anywhere: the card leaves the game unresolved.
        game_.NotifyCardCommit(play, false);
        PaintMoveCard(*mainPic_, card, player, true);
    }
    game_.NotifyCardCommit(play, true);

    CardCtrl& cards = *game_.cardCtrl;
    int32_t fresh = -1;
    if (cards.EOC()) {
        p.handCard[slot] = NO_CARD;
    } else {
        fresh = cards.NextCardIndex(player);
        p.handCard[slot] = fresh;
    }
    SortHand(player);

    p.currentCard = 0;
    if (fresh >= 0 && fresh != NO_CARD) {
        for (int i = 0; i < 10; ++i) {
            if (p.handCard[i] == fresh) {
                p.currentCard = i;
                break;
            }
        }
    }
    return true;
}
