#pragma once

class Picture;

// The board's frames and the two coloured panels at the bottom.
class Border {
public:
    void PaintBoard(Picture& pic) const;
    void PaintCardArea(Picture& pic, bool enable) const;
};
