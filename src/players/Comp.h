#pragma once

#include <cstdint>

class Game;
class Rng;

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
    // The standard player's move now, drawn on a copy of the game's random source so that asking
    // changes nothing: the hint, and the standard autopilot's move. Without a playable card it names a
    // held card to throw away and the board position stays where it is.
    Move SuggestMove(int player) const;
    // The move of seat 0's autopilot, of the strength the lineup gives that seat; the standard one is
    // the hint's.
    Move AutopilotMove();
    // The score of one pair, as GetBestCard ranks them.
    int32_t Evaluate(int player, int slot, int position);

private:
    // The choice of the seat's strength, drawn from rng if it is standard's.
    int32_t Think(int player, Rng& rng);
    Move ToMove(int player, int32_t best) const;

    Game& game_;
};
