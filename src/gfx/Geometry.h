#pragma once

#include <cstdint>

// Colours cross this interface as 0x00BBGGRR, the layout the game's colour tables are written in.
using Color = uint32_t;

constexpr Color Rgb(int r, int g, int b)
{
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Point {
    int x = 0;
    int y = 0;
};

// Right and bottom are exclusive, as in the drawing calls that take them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

constexpr bool Empty(const Rect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}
