#include "platform/Cp932.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <string>

namespace {

// An iconv descriptor per thread and direction: opening one costs far more than a short conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("This system cannot convert text from ") + from + " to " +
                                     to + " (iconv).");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts text, calling onError(remaining input) at every position the converter rejects; it
    // returns how many input bytes to replace by one '?'.
    template <typename OnError> std::string Run(std::string_view text, OnError onError)
    {
        std::string out;
        out.reserve(text.size() * 3 / 2 + 4);
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        char buffer[512];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result != static_cast<size_t>(-1) || errno == E2BIG) {
                continue;
            }
            size_t skip = std::min(inLeft, static_cast<size_t>(onError(std::string_view(in, inLeft))));
            out += '?';
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

Converter& Decoder()
{
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& Encoder()
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

// CP932 length of every BMP character, 0 where it has no CP932 form. Built once from the encoder
// itself so that the lengths agree with FromUtf8, including its lenient mappings (U+00A5 → 0x5C).
const std::array<uint8_t, 0x10000>& LengthTable()
{
    static const std::array<uint8_t, 0x10000> table = [] {
        std::array<uint8_t, 0x10000> lengths{};
        iconv_t cd = iconv_open("CP932", "UTF-32LE");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("This system cannot convert text to CP932 (iconv).");
        }
        for (uint32_t code = 0; code < 0x10000; ++code) {
            if (code >= 0xD800 && code <= 0xDFFF) {
                continue;
            }
            unsigned char in[4] = {static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8), 0,
                                   0};
            char out[8];
            char* inPtr = reinterpret_cast<char*>(in);
            size_t inLeft = sizeof in;
            char* outPtr = out;
            size_t outLeft = sizeof out;
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
                lengths[code] = static_cast<uint8_t>(outPtr - out);
            }
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        iconv_close(cd);
        return lengths;
    }();
    return table;
}

int CharLength(char32_t code)
{
    if (code >= 0x10000) {
        return 1;
    }
    int length = LengthTable()[code];
    return length == 0 ? 1 : length;
}

} // namespace

namespace Cp932 {

std::string ToUtf8(std::string_view cp932)
{
    return Decoder().Run(cp932, [](std::string_view) { return 1; });
}

std::string FromUtf8(std::string_view utf8)
{
    return Encoder().Run(utf8, [](std::string_view rest) { return Utf8::Decode(rest, 0).length; });
}

int ByteLength(std::string_view utf8)
{
    int total = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            ++total;
            ++pos;
            continue;
        }
        Utf8::Char c = Utf8::Decode(utf8, pos);
        total += CharLength(c.code);
        pos += static_cast<size_t>(c.length);
    }
    return total;
}

std::string_view PrefixOfBytes(std::string_view utf8, int maxBytes)
{
    int total = 0;
    size_t pos = 0;
    while (pos < utf8.size()) {
        Utf8::Char c = Utf8::Decode(utf8, pos);
        int length = c.code < 0x80 ? 1 : CharLength(c.code);
        if (total + length > maxBytes) {
            break;
        }
        total += length;
        pos += static_cast<size_t>(c.length);
    }
    return utf8.substr(0, pos);
}

} // namespace Cp932
