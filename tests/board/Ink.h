#pragma once

#include "gfx/Picture.h"

#include <cstdlib>

// Whether pixel p is colour fore laid at least half over back: text may be antialiased, so its edge
// pixels are blends, and only those close to the pure colour count.
inline bool Blends(Color p, Color back, Color fore)
{
    int widest = 0;
    int channel = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int span =
            std::abs(static_cast<int>((fore >> shift) & 0xFF) - static_cast<int>((back >> shift) & 0xFF));
        if (span > widest) {
            widest = span;
            channel = shift;
        }
    }
    if (widest == 0)
        return p == fore;
    const auto part = [](Color c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    const double a = static_cast<double>(part(p, channel) - part(back, channel)) /
                     (part(fore, channel) - part(back, channel));
    if (a < 0.5 || a > 1.01)
        return false;
    for (int shift = 0; shift < 24; shift += 8) {
        const double expected = part(back, shift) + a * (part(fore, shift) - part(back, shift));
        if (std::abs(part(p, shift) - expected) > 6)
            return false;
    }
    return true;
}

// Whether any pixel of the box (right and bottom exclusive) shows fore drawn over back.
inline bool ShowsInk(const Picture& pic, Color fore, Color back, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (Blends(pic.Pixel(x, y), back, fore))
                return true;
        }
    }
    return false;
}
