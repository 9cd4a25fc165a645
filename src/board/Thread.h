#pragma once

#include "rules/MatchState.h"

#include <cstdint>
#include <string>

class Game;
class Picture;

// One thread slot of the board as shown, over the slot of the game's state. Limited properties
// ignore out-of-range writes.
class Thread {
public:
    Thread(Game& game, int slot);

    void ClearThread();
    std::string GetTitle() const;

    int32_t resNum() const { return State().resNum; }
    void resNum(int32_t v) { State().resNum = v; }
    int32_t Size() const { return State().size; }
    void Size(int32_t v) { State().size = v; }
    int32_t resIndex() const { return State().resIndex; }
    int32_t owner() const { return State().owner; }
    void owner(int32_t v);
    int32_t Color() const { return State().color; }
    void Color(int32_t v);
    int32_t Agesage() const { return State().agesage; }
    void Agesage(int32_t v) { State().agesage = v != 0 ? 1 : 0; }
    int32_t jienCount() const { return State().jienCount; }
    void AddJienFlag() { ++State().jienCount; }
    int32_t GotFlag() const { return State().gotFlag; }
    void GotFlag(int32_t v);
    int32_t FestaFlag() const { return State().festaFlag; }
    void FestaFlag(int32_t v);
    bool IkusaFlag() const { return State().ikusaFlag; }
    void IkusaFlag(bool v) { State().ikusaFlag = v; }
    bool StopFlag() const { return State().stopFlag; }
    void StopFlag(bool v) { State().stopFlag = v; }
    int32_t JudgeFlag() const { return State().judgeFlag; }
    void JudgeFlag(int32_t v);
    int32_t browserCrash() const { return State().browserCrash; }
    void browserCrash(int32_t v) { State().browserCrash = v; }

    bool IsThreadEnable() const;
    void Paint(Picture& pic, int x, int y, int w, int threadIndex, bool isCurrent) const;

private:
    ThreadState& State() const;

    Game& game_;
    int slot_;
};
