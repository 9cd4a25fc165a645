#pragma once

#include "rules/Lineup.h"

#include <string>
#include <vector>

struct Statistics;
class Picture;

// The statistics in the look of the result table: the green board, a shadowed heading, one row for
// each of the eight games against one strength of opponents, and the best daily deal of today
// (YYYY-MM-DD).
class StatsScreen {
public:
    // The strengths that get a page: standard always, the others once played. With the one page the
    // screen looks as it did before there were strengths.
    static std::vector<Strength> Pages(const Statistics& stats);
    static void Paint(Picture& pic, const Statistics& stats, const std::string& today, Strength opponents);
};
