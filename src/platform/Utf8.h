#pragma once

#include <cstddef>
#include <string_view>

namespace Utf8 {

// One decoded character and the bytes it took. A malformed byte decodes as U+FFFD of length 1, so
// callers always make progress and never read past the end.
struct Char {
    char32_t code;
    int length;
};

constexpr char32_t Invalid = 0xFFFD;

inline Char Decode(std::string_view text, size_t pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        return {b0, 1};
    }
    int length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        code = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        code = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        code = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return {Invalid, 1};
    }
    if (pos + length > text.size()) {
        return {Invalid, 1};
    }
    for (int i = 1; i < length; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            return {Invalid, 1};
        }
        code = (code << 6) | (b & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {Invalid, 1};
    }
    return {code, length};
}

} // namespace Utf8
