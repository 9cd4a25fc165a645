#pragma once

#include "gfx/Geometry.h"
#include "rules/MatchState.h"

#include <array>
#include <cstdint>
#include <string>

class Game;
class Picture;

// enable[slot][position], the layout the computer player reads.
using EnableArray = std::array<std::array<bool, 12>, 10>;

// The four players of the game's state as shown, and the turn flow of one game with its pauses,
// card flights and the computer players' cursor walks. Player 0 is the human.
class PlayerCtrl {
public:
    explicit PlayerCtrl(Game& game);

    void ClassInit(Picture* mainPic, Picture* backPic, const Picture* pencil);
    void CharacterInit(int32_t pNameIndex, int32_t pColor);

    int32_t GetCurrentCard(int player) const { return Player(player).currentCard; }
    int32_t GetCurrentThread(int player) const { return Player(player).currentThread; }
    int32_t GetCurrentPlayer() const;
    int32_t GetPlayerCardIndex(int player, int slot) const { return Player(player).handCard[slot]; }
    const std::string& GetPlayerName(int player) const;
    const std::string& GetPlayerId(int player) const { return Player(player).id; }
    int32_t GetPlayerColor(int player) const { return Player(player).color; }
    int32_t GetPlayerStop(int player) const { return Player(player).stopCount; }
    int32_t GetMyCardCount(int player) const { return Player(player).myCardCount; }
    int32_t GetMyCardLast(int player) const;
    int32_t GetWaitCount(int player) const { return Player(player).waitCount; }
    bool IsEnable(int player) const;
    bool IsEnableCard(int player) const { return Player(player).enableCard; }
    bool IsPlayerStoped(int player) const;
    void CopyEnableArray(int player, EnableArray& out) const;

    void AddWaitCount(int player, int32_t cost);
    void AccessStop(int player) { Player(player).stopCount = 4; }
    void MoveCurrentCard(int player, int step);
    void MoveCurrentCardDirect(int player, int slot);
    void MoveCurrentThread(int player, int step);
    void MoveCurrentThreadDirect(int player, int position);
    void CardEnableCheck(int player);

    // The turn flow of a game.
    void GamePlayInit();
    void GamePlayStart();
    void NextStandBy();
    bool CardCommit(int player);
    void SortHand(int player);

    // Painting of the hand, the footer and the card flights.
    void PaintCard(int player);
    void PaintCard2(int player);
    void PaintScore();
    void PaintMoveCard(Picture& pic, int cardNo, int direction, bool withBoard);

    int32_t firstPlayer() const;
    int32_t turnCount() const;
    // How many NextStandBy calls are running now; more than one is a nested turn.
    int32_t standByDepth() const { return standByDepth_; }
    PlayerData& Player(int player);
    const PlayerData& Player(int player) const;

private:
    void PlayComputerTurn(int player);
    void EndGame();
    void Pause(int ms);

    Game& game_;
    int32_t standByDepth_ = 0;
    Picture* mainPic_ = nullptr;
    Picture* backPic_ = nullptr;
    const Picture* pencil_ = nullptr;
    int32_t mainWidth_ = 0;
    int32_t mainHeight_ = 0;
    int32_t pencilSize_ = 23;
    std::array<Point, 12> crossPoints_{};
};
