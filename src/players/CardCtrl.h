#pragma once

#include "board/Card.h"

#include <array>
#include <cstdint>
#include <memory>

class Game;
class Picture;

// The 246 card instances as drawn, over the cards of the game's state: the deal, the draw order
// (one shared pile, or four decks interleaved as the columns of rows of four) and the traps.
class CardCtrl {
public:
    explicit CardCtrl(Game& game);

    void ClassInit(const Picture* mask, const Picture* rainbow);
    void CardSet();
    // The next card for a player; -1 once every card of the game is drawn.
    int32_t NextCardIndex(int player);
    bool EOC() const;
    // The card as drawn, with the trap mark it has now.
    Card& GetCard(int cardNo);
    int32_t GetCardMax() const;
    int32_t GetRestCard() const;
    void PaintMoveCard(Picture& pic, int cardNo, int direction, int frame);
    void PaintOpenCard(Picture& pic, int column);

    const std::array<int32_t, 328>& Pile() const;
    int32_t DrawCount() const;
    // Loads the thread cards' texts and the god card's colour of the game dealt.
    void LoadDealt();

private:
    Game& game_;
    std::array<std::unique_ptr<Card>, 246> cards_;
};
