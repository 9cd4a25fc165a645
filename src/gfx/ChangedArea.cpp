#include "gfx/ChangedArea.h"

#include <cstddef>

namespace {

// Word by word rather than memcmp: the page's C library compares a byte at a time, which made
// this the largest cost of a frame there; the loop below vectorizes on the desktop.
bool Same(const uint32_t* a, const uint32_t* b, int count)
{
    uint32_t difference = 0;
    for (int i = 0; i < count; ++i)
        difference |= a[i] ^ b[i];
    return difference == 0;
}

} // namespace

Rect ChangedArea(const uint32_t* before, const uint32_t* after, int stride, int width, int height)
{
    auto row = [](const uint32_t* frame, int pitch, int y) {
        return frame + static_cast<ptrdiff_t>(y) * pitch;
    };
    auto same = [&](int y) { return Same(row(before, width, y), row(after, stride, y), width); };
    int top = 0;
    while (top < height && same(top))
        ++top;
    if (top == height)
        return {};
    int bottom = height;
    while (same(bottom - 1))
        --bottom;
    // Columns are compared a block at a time; only the block with the first change is walked.
    constexpr int Block = 16;
    int left = width;
    int right = 0;
    for (int y = top; y < bottom; ++y) {
        const uint32_t* a = row(before, width, y);
        const uint32_t* b = row(after, stride, y);
        int l = 0;
        while (l + Block <= left && Same(a + l, b + l, Block))
            l += Block;
        while (l < left && a[l] == b[l])
            ++l;
        left = l;
        int r = width;
        while (r - Block >= right && Same(a + r - Block, b + r - Block, Block))
            r -= Block;
        while (r > right && a[r - 1] == b[r - 1])
            --r;
        right = r;
    }
    return {left, top, right, bottom};
}
