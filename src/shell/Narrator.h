#pragma once

#include "rules/Lineup.h"

#include <cstdint>
#include <string>

class Game;
struct CardPlay;

// Says in words what the screen shows, for a screen reader: the page's live region, or the window's
// standard output (--narrate). Every line is made from the game's state, never from the pixels.
// Update compares the state with what was last said and says only what changed.
class Narrator {
public:
    explicit Narrator(Game& game);

    // The screen and what to do there, the title's item, whose turn it is, the cursors, whether the
    // box would play, and the scores: whatever changed since the last call.
    void Update();
    // A card as it is played or thrown away.
    void Played(const CardPlay& play);
    // The settings screen: what to do there when it opens, then the row under the cursor and its
    // value.
    void Settings(bool opened, int row, Strength opponents, int pace, bool colourMarks);
    // A pop-up as it opens.
    void PopUp(int32_t eventIndex, const std::string& eventString, int32_t eventTarget, int32_t eventScore);
    // The keys that read on demand, in the player's turn: B the board, C the hand, P the scores.
    // True when the key was one of them.
    bool ReadOnDemand(int keyCode);

    // The words for a card's face, a board row, the box and the scores.
    std::string CardLine(int32_t cardNo) const;
    std::string ThreadLine(int position) const;
    std::string BoxLine() const;
    std::string ScoreLine() const;

private:
    void Say(const std::string& line);
    void SayScreen(int state);
    void SayResult();
    std::string Name(int player) const;

    Game& game_;
    int state_ = -1;
    int titleItem_ = -1;
    int card_ = -1;
    int thread_ = -1;
    int32_t cardNo_ = -1;
    std::string box_;
    std::string scores_;
};
