#pragma once

#include "rules/Lineup.h"

#include <array>

class Picture;

// The player's settings in the look of the statistics: the green board, a shadowed heading, one row
// for each setting with its choices, the chosen one marked and the row under the cursor lit.
class SettingsScreen {
public:
    static constexpr int Rows = 3;

    static void Paint(Picture& pic, Strength opponents, int pace, bool colourMarks, int row);
    // The choice after a step of Left (-1) or Right (+1) on a row, kept within its choices.
    static Strength StepOpponents(Strength opponents, int step);
    static int StepPace(int pace, int step);
};
