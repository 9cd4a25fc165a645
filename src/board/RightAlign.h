#pragma once

#include <cstdint>
#include <string>

// A number padded with leading blanks to a field of width characters; wider numbers are kept whole.
inline std::string RightAlign(int32_t value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}
