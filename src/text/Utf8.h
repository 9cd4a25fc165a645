#pragma once

#include <cstddef>
#include <string>
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

// The text with every malformed byte turned into '?': valid UTF-8 whatever came in, and unchanged
// when it was valid already. A genuine U+FFFD (three bytes) is kept.
inline std::string Repaired(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const Char c = Decode(bytes, pos);
        if (c.code == Invalid && c.length == 1)
            text += '?';
        else
            text.append(bytes.substr(pos, static_cast<size_t>(c.length)));
        pos += static_cast<size_t>(c.length);
    }
    return text;
}

inline bool IsValid(std::string_view text)
{
    return Repaired(text) == text;
}

} // namespace Utf8
