#pragma once

#include "board/ThreadCtrl.h"
#include "rules/Rules.h"
#include "shell/Game.h"

// Reaches the board's private moves and fields so that tests can set up and check positions.
struct ThreadCtrlProbe {
    ThreadCtrl& board;

    Rules& rules() { return board.game_.rules; }
    BoardState& state() { return rules().State().board; }
    void MoveUp(int from, int to) { rules().MoveUp(from, to); }
    void MoveDown(int from, int to) { rules().MoveDown(from, to); }
    void NewThread(int plIndex, int cIndex, int32_t color, int32_t mark)
    {
        rules().NewThread(plIndex, cIndex, color, mark);
    }
    void FinishThread(int pos) { rules().FinishThread(pos); }
    void RemoveThread(int pos) { rules().RemoveThread(pos); }
    void SortThreads() { rules().SortThreads(); }
    void SetGotFlags(int slot, int32_t value) { rules().SetGotFlags(slot, value); }
    void StartFesta(int slot) { rules().StartFesta(slot); }
    void EndFesta(int32_t color) { rules().EndFesta(color); }
    int32_t& threadCount() { return state().threadCount; }
    int32_t& threadMax() { return state().threadMax; }
    std::array<int32_t, 12>& order() { return state().order; }
};
