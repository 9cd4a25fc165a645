#pragma once

// What the window reports. The platform calls these from inside PumpEvents, on the game's thread,
// possibly while the game is itself inside a wait (that re-entry is how the game works).
class EventSink {
public:
    virtual ~EventSink() = default;
    // The game's key codes, whatever the back-end (see KeyCodes.h: arrows 37..40, keypad 96..105,
    // Enter 13).
    virtual void KeyDown(int keyCode) = 0;
    // button: 1 left, 2 right, 4 middle. The second press of a double click arrives as DblClick only.
    virtual void MouseDown(int button, double x, double y) = 0;
    // A finger's press; a window that tells taps from clicks nowhere takes it as the left button.
    virtual void Tap(double x, double y) { MouseDown(1, x, y); }
    virtual void MouseMove(double x, double y) = 0;
    virtual void DblClick() = 0;
    // What a finger at (x, y) picks, for telling a double tap: two taps on the same target within
    // the double-click time make one. -1 when the point picks nothing a double tap could act on, as
    // for a window that has no such targets.
    virtual int TapTarget(double, double) const { return -1; }
    virtual void Paint() = 0;
    virtual void Resize(bool minimized) = 0;
    virtual void Unload() = 0;
};
