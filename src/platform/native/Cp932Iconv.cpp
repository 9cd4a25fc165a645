#include "platform/Cp932Codec.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>
#include <stdexcept>

namespace {

using Cp932Codec::DecodeTable;
using Cp932Codec::NoChar;

iconv_t Open(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("This system cannot convert text from ") + from + " to " + to +
                                 " (iconv).");
    return cd;
}

// Every pair with one lead byte in a row, converted in one go up to each refused pair: a call into
// the converter per pair would make the first text the game reads slow to come.
void DecodeRow(iconv_t cd, int b, DecodeTable& table)
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
            table.pair[b][first + k] = codes[k] < NoChar ? static_cast<uint16_t>(codes[k]) : NoChar;
        if (done != static_cast<size_t>(-1))
            return;
        const size_t skip = std::min<size_t>(inLeft, 2);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
}

std::unique_ptr<DecodeTable> ReadDecoding()
{
    auto table = std::make_unique<DecodeTable>();
    table->single.fill(NoChar);
    table->lead.fill(false);
    for (auto& row : table->pair)
        row.fill(NoChar);
    iconv_t cd = Open("UTF-32LE", "CP932");
    for (int b = 0; b < 256; ++b) {
        const char in = static_cast<char>(b);
        char* inPtr = const_cast<char*>(&in);
        size_t inLeft = 1;
        uint32_t code = 0;
        char* outPtr = reinterpret_cast<char*>(&code);
        size_t outLeft = sizeof code;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0)
            table->single[b] = code < NoChar ? static_cast<uint16_t>(code) : NoChar;
        else
            table->lead[b] = errno == EINVAL;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    for (int b = 0; b < 256; ++b) {
        if (table->lead[b])
            DecodeRow(cd, b, *table);
    }
    iconv_close(cd);
    return table;
}

constexpr uint32_t Unknown = 0xFFFFFFFF;

// Asked of the converter the first time a character comes up, lenient mappings included (U+00A5
// becomes 0x5C).
uint16_t AskEncoder(char32_t code)
{
    if (code >= 0xD800 && code <= 0xDFFF)
        return NoChar;
    thread_local iconv_t cd = Open("CP932", "UTF-32LE");
    unsigned char in[4] = {static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8), 0, 0};
    unsigned char out[8];
    char* inPtr = reinterpret_cast<char*>(in);
    size_t inLeft = sizeof in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    const bool done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t length = sizeof out - outLeft;
    if (!done || length == 0 || length > 2)
        return NoChar;
    return length == 1 ? out[0] : static_cast<uint16_t>(out[0] << 8 | out[1]);
}

} // namespace

namespace Cp932Codec {

const DecodeTable& Decoding()
{
    static const std::unique_ptr<DecodeTable> table = ReadDecoding();
    return *table;
}

uint16_t Encode(char32_t code)
{
    if (code >= 0x10000)
        return NoChar;
    thread_local std::array<uint32_t, 0x10000> known = [] {
        std::array<uint32_t, 0x10000> none;
        none.fill(Unknown);
        return none;
    }();
    uint32_t& form = known[code];
    if (form == Unknown)
        form = AskEncoder(code);
    return static_cast<uint16_t>(form);
}

} // namespace Cp932Codec
