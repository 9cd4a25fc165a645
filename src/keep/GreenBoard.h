#pragma once

#include "gfx/Picture.h"

#include <string>

// The look the statistics and the settings share with the result table: a green board with texts
// drawn three times over (a red shadow, a black one, the face).
class GreenBoard {
public:
    // The result table's colours (0x00BBGGRR).
    static constexpr Color Green = 0x339900;
    static constexpr Color White = 0xFFFFFF;
    static constexpr Color Heading = 0x0060FF;
    static constexpr Color Figures = 0x99FFFF;

    // The whole picture green, in the proportional face, plain.
    static void Clear(Picture& pic);
    static void ShadowedText(Picture& pic, int x, int y, const std::string& text, Color colour);
};
