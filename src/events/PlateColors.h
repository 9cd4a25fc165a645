#pragma once

#include "gfx/Geometry.h"

#include <cstdint>

// The player colour table, by colour index 0..3: the plates of the pop-ups, the score panels and the
// name selection all draw a player in these. Any other index is black.
inline Color PlayerOutlineColor(int32_t colorIndex)
{
    constexpr Color Outline[4] = {0xFF0000, 0xFFCC00, 0x00CC33, 0x0033FF};
    return colorIndex >= 0 && colorIndex < 4 ? Outline[colorIndex] : 0x000000;
}

inline Color PlayerFillColor(int32_t colorIndex)
{
    constexpr Color Fill[4] = {0xFF9999, 0xFFFF66, 0x99FF66, 0x99FFFF};
    return colorIndex >= 0 && colorIndex < 4 ? Fill[colorIndex] : 0x000000;
}

// A festival group's plate, by thread colour: outline and fill alike.
inline Color GroupPlateColor(int32_t group)
{
    switch (group) {
    case 1:
        return 0x005AFF;
    case 2:
        return 0x339900;
    case 3:
        return 0xFF6E00;
    default:
        return 0x000000;
    }
}
