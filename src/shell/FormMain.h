#pragma once

#include "platform/EventSink.h"
#include "rules/Lineup.h"

#include <cstdint>
#include <optional>

class Game;

// The program's one window: maps keys and mouse actions to commands by GameState.
class FormMain : public EventSink {
public:
    explicit FormMain(Game& game);

    void KeyDown(int keyCode) override;
    void MouseDown(int button, double x, double y) override;
    void MouseMove(double x, double y) override;
    void Tap(double x, double y) override;
    void DblClick() override;
    int TapTarget(double x, double y) const override;
    void Paint() override;
    void Resize(bool minimized) override;
    void Unload() override;

    // The command of a virtual key code, or 0 for keys the game ignores.
    static int KeyCommand(int keyCode);
    // The title menu item under the pointer (4 = the quit item).
    static int TitleItemAt(double x, double y);
    // On the selection screen: the opponents' strength a key (1, 2, 3) or a click picks, if any.
    static std::optional<Strength> OpponentsKey(int keyCode);
    static std::optional<Strength> OpponentsAt(double x, double y);
    // What a click in the player's turn points at: a thread row, a hand slot, the commit box;
    // -1 (false) when the pointer is outside that area.
    static int ThreadRowAt(double x, double y);
    static int HandSlotAt(double x, double y);
    static bool InCommitBox(double x, double y);

private:
    void DoCommand(int command);
    void TitleCommand(int command);
    void SelectCommand(int command);
    void SelectOpponents(Strength opponents);
    void TurnCommand(int command);
    void BackToTurn();
    void HitTest(double x, double y);
    void TitleMouseMove(double x, double y);
    void SelectMouseMove(double x, double y);
    void RecordMove(uint32_t tick, double x, double y);

    Game& game_;
    // Set once the window is closing: input still queued then must not start anything.
    bool closing_ = false;
    int32_t lastMoveTick_ = 0;
    int16_t lastMoveX_ = 0;
    int16_t lastMoveY_ = 0;
};
