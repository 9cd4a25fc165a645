#pragma once

#include <functional>

class Game;

// Plays seat 0 with the computer player's choices, through the keys a person would press: from the
// title it starts the chosen game, walks the cursors to each chosen move, and acknowledges every
// end screen. The game cannot tell it from a person at the keyboard.
class Autopilot {
public:
    // mode: the menu item to start (0..3); extra: switch the title to the Extra games first;
    // visible: pause before each key, so that a game in a window can be watched.
    Autopilot(Game& game, int mode, bool extra, bool visible);

    // Takes over the game's input waits; observer still sees every wait, once per key.
    void Attach(std::function<void(int state)> observer);

    // The key a person would press next in the given state, 0 for none.
    int NextKey(int state);

private:
    void OnInputWait();
    void Step();
    int TitleKey() const;
    int TurnKey();

    Game& game_;
    int mode_;
    bool extra_;
    bool visible_;
    std::function<void(int state)> observer_;
    // Set while the outermost wait drives the game; nested waits then press one key and return.
    bool driving_ = false;
    // Seat 0's chosen move, kept until Enter is pressed for it.
    bool haveTarget_ = false;
    int targetSlot_ = 0;
    int targetPosition_ = 0;
};
