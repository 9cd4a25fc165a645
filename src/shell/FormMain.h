#pragma once

#include "platform/EventSink.h"

#include <cstdint>

class Game;

// The program's one window: maps keys and mouse actions to commands by GameState.
class FormMain : public EventSink {
public:
    explicit FormMain(Game& game);

    void KeyDown(int keyCode) override;
    void MouseDown(int button, double x, double y) override;
    void MouseMove(double x, double y) override;
    void DblClick() override;
    void Paint() override;
    void Resize(bool minimized) override;
    void Unload() override;

    // The command of a virtual key code, or 0 for keys the game ignores.
    static int KeyCommand(int keyCode);

private:
    void DoCommand(int command);

    Game& game_;
    int32_t lastMoveTick_ = 0;
    int16_t lastMoveX_ = 0;
    int16_t lastMoveY_ = 0;
};
