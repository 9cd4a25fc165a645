#pragma once

#include "board/ThreadCtrl.h"

// Reaches the board's private moves and fields so that tests can set up and check positions.
struct ThreadCtrlProbe {
    ThreadCtrl& board;

    void MoveUp(int from, int to) { board.MoveUp(from, to); }
    void MoveDown(int from, int to) { board.MoveDown(from, to); }
    void NewThread(int plIndex, int cIndex, int32_t color, int32_t mark)
    {
        board.NewThread(plIndex, cIndex, color, mark);
    }
    void FinishThread(int pos) { board.FinishThread(pos); }
    void RemoveThread(int pos) { board.RemoveThread(pos); }
    void SortThreads() { board.SortThreads(); }
    void SetGotFlags(int slot, int32_t value) { board.SetGotFlags(slot, value); }
    void StartFesta(int slot) { board.StartFesta(slot); }
    void EndFesta(int32_t color) { board.EndFesta(color); }
    int32_t& threadCount() { return board.threadCount_; }
    int32_t& threadMax() { return board.threadMax_; }
    std::array<int32_t, 12>& order() { return board.order_; }
};
