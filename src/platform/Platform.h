#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class AudioOutput;
class EventSink;
class Picture;

// What the player sees of the 808 x 630 pictures: their top-left corner. The board is laid out for
// an 800 x 600 view; the pictures' last columns and rows are never shown.
constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;

// Everything the game needs from the machine: a window, a millisecond clock, event pumping, a
// message box and sound. Three implementations: a real SDL window, a web page's canvas, and a
// headless one with a virtual clock for tests and the simulator.
class Platform {
public:
    virtual ~Platform() = default;

    // Milliseconds, wrapping at 2^32: every comparison of ticks in the game is wrap-safe.
    virtual uint32_t GetTickCount() = 0;

    virtual void SetEventSink(EventSink* sink) = 0;
    virtual void ShowWindow() = 0;
    // Copies the picture's top-left ClientWidth x ClientHeight to the window.
    virtual void Present(const Picture& picture) = 0;

    // Delivers every event that is due now to the sink, without blocking.
    virtual void PumpEvents() = 0;
    // Blocks until an event is due or the clock reaches the deadline. Headless: advances the
    // virtual clock instead of sleeping, and ends the run (throws ProgramExit{0}) when asked to
    // wait without a deadline while no input will ever come.
    virtual void WaitForEvent(uint32_t deadline) = 0;
    virtual void WaitForEventForever() = 0;
    // Called again and again while the game computes for long (a computer player thinking): delivers
    // what is due, and where the program shares its thread with the page, hands the page a frame
    // now and then so that it never stops drawing for long.
    virtual void Breathe() { PumpEvents(); }

    virtual void MessageBox(std::string_view title, std::string_view text) = 0;
    virtual AudioOutput& Audio() = 0;

    // The window's or the page's title.
    virtual void SetTitle(std::string_view title) = 0;
    // A line the player may pass on (a daily result), for as long as its screen shows; an empty
    // line takes the offer back. The window prints it on standard output, the page offers a
    // Share control.
    virtual void OfferShare(std::string_view line) = 0;
    // A line for a screen reader (only with narration on): the page says it in its live region,
    // the window prints it on standard output.
    virtual void Narrate(std::string_view line) = 0;
};
