#include "platform/Cp932.h"

#include "platform/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <string>
#include <vector>

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

Converter& Encoder()
{
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

constexpr uint16_t NoChar = 0xFFFF;
constexpr uint8_t Unknown = 0xFF;

// What every CP932 byte and byte pair decodes to (NoChar where the converter refuses it), read once
// from the converter itself, so that the table decodes exactly as it does: the game decodes every
// thread file at every game start, and a call into the converter per file costs far more.
struct DecodeTable {
    std::array<uint16_t, 256> single;
    std::array<bool, 256> lead;
    // pair[lead][trail]
    std::array<std::array<uint16_t, 256>, 256> pair;

    DecodeTable()
    {
        single.fill(NoChar);
        lead.fill(false);
        for (auto& row : pair)
            row.fill(NoChar);
        iconv_t cd = iconv_open("UTF-32LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("This system cannot convert text from CP932 (iconv).");
        for (int b = 0; b < 256; ++b) {
            const char in = static_cast<char>(b);
            char* inPtr = const_cast<char*>(&in);
            size_t inLeft = 1;
            uint32_t code = 0;
            char* outPtr = reinterpret_cast<char*>(&code);
            size_t outLeft = sizeof code;
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0)
                single[b] = code < NoChar ? static_cast<uint16_t>(code) : NoChar;
            else
                lead[b] = errno == EINVAL;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
        // Every pair with one lead byte in a row, converted in one go up to each refused pair.
        for (int b = 0; b < 256; ++b) {
            if (lead[b])
                DecodeRow(cd, b);
        }
        iconv_close(cd);
    }

    void DecodeRow(iconv_t cd, int b)
    {
        std::array<char, 512> row;
        for (int t = 0; t < 256; ++t) {
            row[2 * t] = static_cast<char>(b);
            row[2 * t + 1] = static_cast<char>(t);
        }
        char* in = row.data();
        size_t inLeft = row.size();
        while (inLeft > 0) {
            const int first = static_cast<int>(in - row.data()) / 2;
            std::array<uint32_t, 256> codes;
            char* outPtr = reinterpret_cast<char*>(codes.data());
            size_t outLeft = sizeof codes;
            const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
            const int converted = static_cast<int>(in - row.data()) / 2 - first;
            // One code per pair, or the row is not what it seems: leave it to the single bytes.
            if (static_cast<size_t>(converted) * sizeof(uint32_t) != sizeof codes - outLeft)
                return;
            for (int k = 0; k < converted; ++k)
                pair[b][first + k] = codes[k] < NoChar ? static_cast<uint16_t>(codes[k]) : NoChar;
            if (done != static_cast<size_t>(-1))
                return;
            const size_t skip = std::min<size_t>(inLeft, 2);
            in += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
};

const DecodeTable& Decoding()
{
    static const DecodeTable table;
    return table;
}

char* PutUtf8(char* out, uint16_t code)
{
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// CP932 length of a BMP character, 0 where it has none, asked of the encoder itself the first time
// the character comes up, so that the lengths agree with FromUtf8, lenient mappings included
// (U+00A5 becomes 0x5C).
int EncodedLength(char32_t code)
{
    thread_local std::array<uint8_t, 0x10000> lengths = [] {
        std::array<uint8_t, 0x10000> unknown;
        unknown.fill(Unknown);
        return unknown;
    }();
    uint8_t& length = lengths[code];
    if (length != Unknown)
        return length;
    length = 0;
    if (code >= 0xD800 && code <= 0xDFFF)
        return length;
    thread_local iconv_t cd = iconv_open("CP932", "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("This system cannot convert text to CP932 (iconv).");
    unsigned char in[4] = {static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8), 0, 0};
    char out[8];
    char* inPtr = reinterpret_cast<char*>(in);
    size_t inLeft = sizeof in;
    char* outPtr = out;
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
        length = static_cast<uint8_t>(outPtr - out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return length;
}

int CharLength(char32_t code)
{
    if (code >= 0x10000) {
        return 1;
    }
    const int length = EncodedLength(code);
    return length == 0 ? 1 : length;
}

} // namespace

namespace Cp932 {

std::string ToUtf8(std::string_view cp932)
{
    const DecodeTable& table = Decoding();
    // No byte or pair takes more than three bytes in UTF-8.
    std::string out(cp932.size() * 3, '\0');
    char* at = out.data();
    for (size_t i = 0; i < cp932.size();) {
        const auto b = static_cast<uint8_t>(cp932[i]);
        if (table.lead[b] && i + 1 < cp932.size()) {
            const uint16_t code = table.pair[b][static_cast<uint8_t>(cp932[i + 1])];
            if (code != NoChar) {
                at = PutUtf8(at, code);
                i += 2;
                continue;
            }
        }
        // A byte the converter refuses, or a lead byte without its partner, becomes one '?'.
        const uint16_t code = table.single[b];
        at = code != NoChar ? PutUtf8(at, code) : PutUtf8(at, '?');
        ++i;
    }
    out.resize(static_cast<size_t>(at - out.data()));
    return out;
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
