#pragma once

#include "gfx/Geometry.h"

#include <SDL.h>
#include <cstdint>
#include <vector>

// Puts the top-left corner of a picture, of a fixed size, into a window through the window's own
// pixel buffer, scaled by the largest whole factor the window holds and centred between black bars.
// Only the block that differs from the last frame is copied and sent to the screen.
class WindowPresenter {
public:
    WindowPresenter(SDL_Window* window, int width, int height);

    // pixels: words 0x00RRGGBB, row after row, stride words apart; the top-left width x height
    // of them is shown.
    void Show(const uint32_t* pixels, int stride);
    // Sends the whole last frame again: the window was uncovered, resized or switched to full screen.
    void Redraw();
    // Turns window coordinates into picture coordinates; false when they fall outside what is shown.
    bool ToPicture(int& x, int& y) const;

private:
    struct Layout {
        int scale = 1;
        int x = 0;
        int y = 0;
    };

    Layout LayoutFor(int windowWidth, int windowHeight) const;
    // Copies area of the last frame into the window's buffer and sends that part to the screen;
    // a new or resized buffer gets its bars and the whole frame.
    void Send(Rect area);
    void Copy(SDL_Surface* surface, const Layout& layout, const Rect& area) const;

    SDL_Window* window_;
    int width_;
    int height_;
    std::vector<uint32_t> shown_;
    bool haveFrame_ = false;
    SDL_Surface* surface_ = nullptr;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
};
