#pragma once

#include "gfx/Geometry.h"
#include "rules/MatchState.h"

#include <array>
#include <cstdint>
#include <string>

class Game;
class Picture;

// The players' points of the game's state, their ranks, the score column and the result table.
class Score {
public:
    explicit Score(Game& game);

    void ClassInit(Picture* mainPic);
    void ScoreInit();
    // scoreMode: 0 thread points, 1 response points, 2 other points; any other kind counts in total only.
    void AddScore(int plIndex, int32_t scores, int32_t scoreMode);
    void AddThread(int plIndex, int32_t resNum);
    int32_t GetRank(int plIndex) const { return Get(plIndex).rank; }
    void SetRank();
    void Paint(int focusIndex);
    void PaintEndScore();
    static std::string GetRankString(int32_t isRank);
    static int32_t GetThreadPoint(int32_t resNum);
    static std::string FormatScore(int32_t value, int width);
    // Segments of a wait bar: one per started ten wait units, at most 20.
    static int32_t WaitBarSegments(int32_t waitCount);
    // The seven-character average column of the result table.
    static std::string FormatAverage(int32_t finishedRes, int32_t finishedThreads);
    // Players in result-table order: by rank, ties in player order.
    std::array<int, 4> PlacesByRank() const;
    // A player's 55-character figures line of the result table.
    std::string EndScoreLine(int player) const;

    const PlayerScore& Get(int plIndex) const;

private:
    void PaintPlayerPanel(int player, int x, int y, bool withRank);
    void PaintWaitBar(int player, int x, int y);

    Game& game_;
    Picture* main_ = nullptr;
    std::array<std::array<Point, 7>, 4> arrowPoints_{};
};
