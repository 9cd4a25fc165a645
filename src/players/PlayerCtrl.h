#pragma once

#include "gfx/Geometry.h"

#include <array>
#include <cstdint>
#include <string>

class Game;
class Picture;

// One player: who they are, the ten cards held, the cursors, what may be played where, and the
// counters that decide the turn order.
struct PlayerData {
    int32_t color = 0;
    int32_t nameIndex = 0;
    std::string id;
    std::array<int32_t, 10> handCard{};
    int32_t stopCount = 0;
    // enable[position][slot]
    std::array<std::array<bool, 10>, 12> enable{};
    bool enableCard = false;
    int32_t currentCard = 0;
    int32_t currentThread = 0;
    int32_t waitCount = 0;
    int32_t myCardCount = 0;
};

// enable[slot][position], the layout the computer player reads.
using EnableArray = std::array<std::array<bool, 12>, 10>;

// The four players, their hands and the turn flow of one game. Player 0 is the human.
class PlayerCtrl {
public:
    explicit PlayerCtrl(Game& game);

    void ClassInit(Picture* mainPic, Picture* backPic, const Picture* pencil);
    void CharacterInit(int32_t pNameIndex, int32_t pColor);

    int32_t GetCurrentCard(int player) const { return players_[player].currentCard; }
    int32_t GetCurrentThread(int player) const { return players_[player].currentThread; }
    int32_t GetCurrentPlayer() const;
    int32_t GetPlayerCardIndex(int player, int slot) const { return players_[player].handCard[slot]; }
    const std::string& GetPlayerName(int player) const;
    const std::string& GetPlayerId(int player) const { return players_[player].id; }
    int32_t GetPlayerColor(int player) const { return players_[player].color; }
    int32_t GetPlayerStop(int player) const { return players_[player].stopCount; }
    int32_t GetMyCardCount(int player) const { return players_[player].myCardCount; }
    int32_t GetMyCardLast(int player) const;
    int32_t GetWaitCount(int player) const { return players_[player].waitCount; }
    bool IsEnable(int player) const;
    bool IsEnableCard(int player) const { return players_[player].enableCard; }
    bool IsPlayerStoped(int player) const;
    void CopyEnableArray(int player, EnableArray& out) const;

    void AddMyCardCount(int player) { ++players_[player].myCardCount; }
    void AddWaitCount(int player, int32_t cost);
    void AccessStop(int player) { players_[player].stopCount = 4; }
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

    int32_t firstPlayer() const { return firstPlayer_; }
    int32_t turnCount() const { return turnCount_; }
    // How many NextStandBy calls are running now; more than one is a nested turn.
    int32_t standByDepth() const { return standByDepth_; }
    PlayerData& Player(int player) { return players_.at(player); }

private:
    int32_t NextMaatariMover();
    int32_t NextHarshMover();
    void CountDownWaits();
    void PlayComputerTurn(int player);
    void EndGame();
    void Pause(int ms);

    Game& game_;
    std::array<PlayerData, 4> players_;
    int32_t firstPlayer_ = 0;
    int32_t turnCount_ = -1;
    int32_t standByDepth_ = 0;
    Picture* mainPic_ = nullptr;
    Picture* backPic_ = nullptr;
    const Picture* pencil_ = nullptr;
    int32_t mainWidth_ = 0;
    int32_t mainHeight_ = 0;
    int32_t pencilSize_ = 23;
    std::array<Point, 12> crossPoints_{};
};
