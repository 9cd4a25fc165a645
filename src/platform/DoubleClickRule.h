#pragma once

#include <cstdint>

// Tells a double click from two presses, the same way on every back-end: the second press of the
// same button is a double click only when it comes within the double-click time of the first and
// inside the 4 x 4 pixel rectangle centred on it. That rectangle, like every rectangle of the game,
// holds its left and top edges but not its right and bottom ones: the second press may lie 2 pixels
// left or above the first, or 1 pixel right or below. Thread rows lie 16 pixels apart and the hand's cards
// overlap, so a wider rule would play a card on the wrong row. A press that completes a double click starts
// nothing: a third is a plain press again.
class DoubleClickRule {
public:
    static constexpr uint32_t DefaultTimeMs = 500;
    static constexpr int RectWidth = 4;
    static constexpr int RectHeight = 4;

    explicit DoubleClickRule(uint32_t timeMs = DefaultTimeMs) : timeMs_(timeMs) {}

    // A press of button at (x, y), in the pointer's own pixels (the screen's, not the picture's,
    // when the picture is shown enlarged), at tick milliseconds on a clock that may wrap. True when
    // the press completes a double click.
    bool Press(int button, int x, int y, uint32_t tick);
    // A tap of a finger on target (a card or a thread row, -1 for anything else) at tick
    // milliseconds: true when it completes a double tap. A fingertip is wider than a row, so two taps
    // pair when they pick the same thing, not when they land on the same pixels. Taps and presses of
    // the mouse never pair with each other.
    bool Tap(int target, uint32_t tick);
    // The next press starts over, as after a press that went nowhere.
    void Forget() { armed_ = tapArmed_ = false; }

private:
    uint32_t timeMs_;
    bool armed_ = false;
    bool tapArmed_ = false;
    int target_ = -1;
    int button_ = 0;
    int x_ = 0;
    int y_ = 0;
    uint32_t tick_ = 0;
};
