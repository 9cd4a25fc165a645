#pragma once

#include "gfx/Geometry.h"

#include <array>
#include <cstdint>

// Every colour the game draws in, named once and written one way (Rgb).
namespace Palette {

constexpr Color Black = Rgb(0, 0, 0);
constexpr Color White = Rgb(255, 255, 255);
constexpr Color Grey = Rgb(128, 128, 128);
constexpr Color LightGrey = Rgb(224, 224, 224);
constexpr Color Silver = Rgb(192, 192, 192);
constexpr Color Shadow = Rgb(48, 48, 48);
constexpr Color Red = Rgb(192, 0, 0);
constexpr Color Blue = Rgb(0, 0, 192);
constexpr Color BrightBlue = Rgb(0, 0, 255);
constexpr Color Navy = Rgb(0, 0, 153);
constexpr Color Orange = Rgb(255, 96, 0);
constexpr Color Amber = Rgb(255, 176, 0);
constexpr Color Purple = Rgb(224, 16, 128);
constexpr Color Leaf = Rgb(64, 176, 64);
constexpr Color DarkGreen = Rgb(0, 128, 0);
constexpr Color Felt = Rgb(0, 102, 0);
constexpr Color Brown = Rgb(64, 32, 0);
constexpr Color Cream = Rgb(255, 255, 192);

// Thread and card colours 1..4; 0 is the rainbow, drawn otherwise.
constexpr std::array<Color, 4> ThreadColours = {Rgb(255, 90, 0), Rgb(0, 153, 51), Rgb(0, 110, 255),
                                                Rgb(255, 232, 0)};
// The board's green, the second thread colour.
constexpr Color BoardGreen = ThreadColours[1];

// A thread colour 1..4; anything else is black.
constexpr Color ThreadColour(int32_t colour)
{
    return colour >= 1 && colour <= 4 ? ThreadColours[colour - 1] : Black;
}

// A festival group's plate, outline and fill alike: groups 1..3 in their thread colour; anything
// else is black.
constexpr Color GroupPlateColour(int32_t group)
{
    return group >= 1 && group <= 3 ? ThreadColours[group - 1] : Black;
}

// The player colours 0..3, outline and fill: the plates of the pop-ups, the score panels, the
// owner's box on a thread and the name selection. Any other index is black.
constexpr std::array<Color, 4> PlayerOutlines = {Rgb(0, 0, 255), Rgb(0, 204, 255), Rgb(51, 204, 0),
                                                 Rgb(255, 51, 0)};
constexpr std::array<Color, 4> PlayerFills = {Rgb(153, 153, 255), Rgb(102, 255, 255), Rgb(102, 255, 153),
                                              Rgb(255, 255, 153)};

constexpr Color PlayerOutline(int32_t colour)
{
    return colour >= 0 && colour < 4 ? PlayerOutlines[colour] : Black;
}

constexpr Color PlayerFill(int32_t colour)
{
    return colour >= 0 && colour < 4 ? PlayerFills[colour] : Black;
}

} // namespace Palette
