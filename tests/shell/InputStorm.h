#pragma once

#include "platform/EventSink.h"
#include "platform/headless/HeadlessPlatform.h"

#include <cstdint>
#include <functional>
#include <random>

class Game;

// A window that is never left alone: from the moment the game takes the window, an input every
// 1..20 ms of virtual time, drawn at random when it arrives: keys (every mapped code and some the
// game ignores), left, right and middle clicks anywhere and on the hand slots, the thread rows and
// the commit box, double clicks, mouse moves, and now and then a minimize or a restore. The one
// input it holds back is OK on the title's quit item, which would end the run.
class StormPlatform : public HeadlessPlatform, private EventSink {
public:
    explicit StormPlatform(uint64_t seed);

    // The game's window goes behind the storm.
    void SetEventSink(EventSink* sink) override;
    // Needed to recognise the quit item; set before the game starts.
    void Watch(Game& game) { game_ = &game; }

    // Holds back every input while seat 0 is to move, so that the autopilot plays those turns as
    // well as it can (and may win); every other moment is stormed as before.
    void SpareTurns(bool spare) { spareTurns_ = spare; }

    // Called before every input is handed on.
    std::function<void()> beforeInput;

    // Whether the window was closed, and in which GameState.
    bool Closed() const { return closedIn_ >= 0; }
    int ClosedIn() const { return closedIn_; }
    int64_t Inputs() const { return inputs_; }
    int64_t Held() const { return held_; }

private:
    void KeyDown(int keyCode) override;
    void MouseDown(int button, double x, double y) override;
    void MouseMove(double x, double y) override;
    void DblClick() override;
    void Paint() override;
    void Resize(bool minimized) override;
    void Unload() override;

    void Next();
    InputEvent Draw();
    int Pick(int n);
    double Between(double low, double high);
    bool Holds(bool ok) const;

    EventSink* window_ = nullptr;
    Game* game_ = nullptr;
    std::mt19937_64 random_;
    bool minimized_ = false;
    bool spareTurns_ = false;
    int closedIn_ = -1;
    int64_t inputs_ = 0;
    int64_t held_ = 0;
};
