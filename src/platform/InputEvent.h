#pragma once

class EventSink;

// One input as the window would report it: from a script, or queued by the web page.
struct InputEvent {
    // Tap is a finger's press: the left button's, except where a slip of the finger would cost the
    // player more than a second tap.
    enum class Kind { KeyDown, MouseDown, MouseMove, DblClick, Resize, Close, Tap };

    Kind kind = Kind::KeyDown;
    // Virtual key code for KeyDown, button (1 left, 2 right, 4 middle) for MouseDown.
    int code = 0;
    double x = 0;
    double y = 0;
    bool minimized = false;

    static InputEvent Key(int keyCode) { return {Kind::KeyDown, keyCode, 0, 0, false}; }
    static InputEvent Click(double x, double y, int button = 1)
    {
        return {Kind::MouseDown, button, x, y, false};
    }
    static InputEvent Tap(double x, double y) { return {Kind::Tap, 1, x, y, false}; }
    static InputEvent Move(double x, double y) { return {Kind::MouseMove, 0, x, y, false}; }
    static InputEvent DoubleClick() { return {Kind::DblClick, 0, 0, 0, false}; }
    static InputEvent Minimize() { return {Kind::Resize, 0, 0, 0, true}; }
    static InputEvent Restore() { return {Kind::Resize, 0, 0, 0, false}; }
    static InputEvent Close() { return {Kind::Close, 0, 0, 0, false}; }
};

// Hands the input to the game as the window's message loop does.
void Deliver(EventSink& sink, const InputEvent& event);
