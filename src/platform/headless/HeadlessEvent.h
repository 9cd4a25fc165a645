#pragma once

// One input of a scripted run, as the window would report it.
struct HeadlessEvent {
    enum class Kind { KeyDown, MouseDown, MouseMove, DblClick, Resize, Close };

    Kind kind = Kind::KeyDown;
    // Virtual key code for KeyDown, button (1 left, 2 right, 4 middle) for MouseDown.
    int code = 0;
    double x = 0;
    double y = 0;
    bool minimized = false;

    static HeadlessEvent Key(int keyCode) { return {Kind::KeyDown, keyCode, 0, 0, false}; }
    static HeadlessEvent Click(double x, double y, int button = 1)
    {
        return {Kind::MouseDown, button, x, y, false};
    }
    static HeadlessEvent Move(double x, double y) { return {Kind::MouseMove, 0, x, y, false}; }
    static HeadlessEvent DoubleClick() { return {Kind::DblClick, 0, 0, 0, false}; }
    static HeadlessEvent Minimize() { return {Kind::Resize, 0, 0, 0, true}; }
    static HeadlessEvent Restore() { return {Kind::Resize, 0, 0, 0, false}; }
    static HeadlessEvent Close() { return {Kind::Close, 0, 0, 0, false}; }
};
