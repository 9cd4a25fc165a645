#pragma once

struct Statistics;
class Picture;

#include <string>

// The statistics in the look of the result table: the green board, a shadowed heading, one row for
// each of the eight games, and the best daily deal of today (YYYY-MM-DD).
class StatsScreen {
public:
    static void Paint(Picture& pic, const Statistics& stats, const std::string& today);
};
