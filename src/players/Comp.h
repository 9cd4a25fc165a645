#pragma once

#include <cstdint>

class Game;

// The computer player at the table: the rules' evaluator choosing for a seat, with the window kept
// answering meanwhile.
class Comp {
public:
    explicit Comp(Game& game);

    // A choice of the computer player: the hand slot to play or throw away, and the board position.
    struct Move {
        int slot = 0;
        int position = 0;
    };

    // board position * 10 + hand slot
    int32_t GetBestCard(int player);
    // The move GetBestCard would choose now, drawn on a copy of the game's random source so that
    // asking changes nothing: a hint, and the autopilot's move. Without a playable card it names a
    // held card to throw away and the board position stays where it is.
    Move SuggestMove(int player) const;
    // The score of one pair, as GetBestCard ranks them.
    int32_t Evaluate(int player, int slot, int position);

private:
    Game& game_;
};
