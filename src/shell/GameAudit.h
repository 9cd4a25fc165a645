#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Game;

// Checks that a running game is still consistent: the board, the hands, the scores and the state.
// Each check adds one line per broken rule; an empty list means the game is sound.
class GameAudit {
public:
    explicit GameAudit(Game& game) : game_(game) {}

    // The board's order is a permutation of the twelve slots.
    void CheckOrder();
    // Live threads fill the positions from the top, finished ones stand below them, none beyond the
    // capacity, and the count of live threads is threadCount.
    void CheckBoard();
    // Hands sorted with empty slots last, and full while cards remain to be drawn.
    void CheckHands();
    // Each total is the sum of its three kinds; each rank is one more than the players ahead.
    void CheckScores();
    // GameState holds one of the values the screens hand over.
    void CheckState();
    // Once the cards are out: every card drawn and no thread left live.
    void CheckGameOver();

    // The checks that hold between any two moves.
    void CheckBetweenMoves();

    const std::vector<std::string>& Violations() const { return violations_; }
    void Clear() { violations_.clear(); }

private:
    void Fail(std::string what);

    Game& game_;
    std::vector<std::string> violations_;
};
