#pragma once

struct Statistics;
class Picture;

// The statistics in the look of the result table: the green board, a shadowed heading and one row
// for each of the eight games.
class StatsScreen {
public:
    static void Paint(Picture& pic, const Statistics& stats);
};
