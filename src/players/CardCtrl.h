#pragma once

#include "board/Card.h"

#include <array>
#include <cstdint>
#include <memory>

class Game;
class Picture;

// The 246 card instances and the draw order of the current game: one shared pile, or four decks
// interleaved as the columns of rows of four.
class CardCtrl {
public:
    explicit CardCtrl(Game& game);

    void ClassInit(const Picture* mask, const Picture* rainbow);
    void CardSet();
    // The next card for a player; -1 once every card of the game is drawn.
    int32_t NextCardIndex(int player);
    bool EOC() const { return drawCount_ == GetCardMax(); }
    Card& GetCard(int cardNo) { return *cards_.at(cardNo); }
    int32_t GetCardMax() const;
    int32_t GetRestCard() const { return GetCardMax() - drawCount_; }
    void PaintMoveCard(Picture& pic, int cardNo, int direction, int frame);
    void PaintOpenCard(Picture& pic, int column);

    const std::array<int32_t, 328>& Pile() const { return pile_; }
    int32_t DrawCount() const { return drawCount_; }

private:
    Game& game_;
    std::array<std::unique_ptr<Card>, 246> cards_;
    std::array<int32_t, 328> pile_{};
    int32_t drawCount_ = 0;
};
