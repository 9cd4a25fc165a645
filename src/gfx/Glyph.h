#pragma once

#include <cstdint>
#include <vector>

// One rendered character: coverage 0..255 per pixel, rows top to bottom, placed against the pen
// position on the baseline.
struct Glyph {
    int left = 0;
    // From the baseline up to the first row.
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};
