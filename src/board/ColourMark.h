#pragma once

#include <cstdint>

class Picture;

// Shapes that tell the thread colours and the players apart where their colours alone would have to:
// drawn in black on a white ground, so that they read the same to every eye.
class ColourMark {
public:
    // A thread colour in a size x size box at (x, y): 1 a disc, 2 a triangle, 3 a square, 4 a
    // diamond; 0 (the rainbow, which goes on any colour) the four side by side at half the size.
    static void Thread(Picture& pic, int32_t colour, int x, int y, int size);
    // A player's colour index: 0 a plus, 1 a cross, 2 a ring, 3 a triangle pointing down, drawn
    // in outline so that they are never taken for a thread's mark.
    static void Player(Picture& pic, int32_t colour, int x, int y, int size);
};
