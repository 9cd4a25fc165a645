#pragma once

#include "gfx/Picture.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A drawing recorded once and stamped wherever it is needed again, for shapes the board draws over
// and over (a card face costs a few dozen calls and thousands of smoothed text pixels; a stamp is a
// copy of its rows). Only what the drawing gives the same colour whatever lies under it is kept:
// the pixels it leaves alone stay as they are under the stamp.
class Sprite {
public:
    // Runs draw on a width x height picture twice, over black and over white, starting from state,
    // and keeps the pixels both agree on. Null when some pixel was mixed with what lay under it, or
    // the drawing reached the edge of the picture (such a drawing cannot be stamped).
    static std::shared_ptr<const Sprite> Record(FontEngine* fonts, int width, int height,
                                                const DrawingState& state,
                                                const std::function<void(Picture&)>& draw);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The drawing state the drawing leaves behind; a stamp leaves it too.
    const DrawingState& StateAfter() const { return after_; }

    struct Run {
        int y;
        int left;
        int right;
    };
    const std::vector<Run>& Runs() const { return runs_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<ptrdiff_t>(y) * width_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    std::vector<Run> runs_;
    DrawingState after_;
};
