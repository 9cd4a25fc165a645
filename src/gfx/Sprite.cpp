#include "gfx/Sprite.h"

std::shared_ptr<const Sprite> Sprite::Record(FontEngine* fonts, int width, int height,
                                             const DrawingState& state,
                                             const std::function<void(Picture&)>& draw)
{
    Picture overBlack(fonts, width, height);
    Picture overWhite(fonts, width, height);
    if (!overBlack.Drawing() || width <= 0 || height <= 0)
        return nullptr;
    overBlack.BitBlt(0, 0, width, height, nullptr, 0, 0, RasterOp::Blackness);
    overBlack.SetState(state);
    overWhite.SetState(state);
    overWhite.ForgetChanges();
    draw(overBlack);
    draw(overWhite);
    // A drawing that reaches the edge may go on beyond it, where the recording cannot see.
    const Rect drawn = overWhite.Changed();
    if (drawn.left < drawn.right &&
        (drawn.left <= 0 || drawn.top <= 0 || drawn.right >= width || drawn.bottom >= height))
        return nullptr;

    auto sprite = std::make_shared<Sprite>();
    sprite->width_ = width;
    sprite->height_ = height;
    sprite->after_ = overWhite.State();
    sprite->pixels_.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        int runStart = -1;
        for (int x = 0; x <= width; ++x) {
            bool kept = false;
            if (x < width) {
                const Color black = overBlack.Pixel(x, y);
                const Color white = overWhite.Pixel(x, y);
                kept = black == white;
                // Neither untouched nor the same over both grounds: mixed with the ground.
                if (!kept && !(black == 0x000000 && white == 0xFFFFFF))
                    return nullptr;
                if (kept)
                    sprite->pixels_[static_cast<size_t>(y) * width + x] =
                        overWhite.Data()[static_cast<size_t>(y) * width + x];
            }
            if (kept && runStart < 0)
                runStart = x;
            if (!kept && runStart >= 0) {
                sprite->runs_.push_back({y, runStart, x});
                runStart = -1;
            }
        }
    }
    return sprite;
}
