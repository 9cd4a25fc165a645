#include "text/Cp932.h"

#include "platform/Cp932Codec.h"
#include "text/Utf8.h"

#include <cstdint>
#include <string>

namespace {

using Cp932Codec::NoChar;

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

// CP932 length of a character, 0 where it has none.
int EncodedLength(char32_t code)
{
    const uint16_t form = Cp932Codec::Encode(code);
    return form == NoChar ? 0 : form < 0x100 ? 1 : 2;
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
    const Cp932Codec::DecodeTable& table = Cp932Codec::Decoding();
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
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        // A malformed byte decodes as U+FFFD, which CP932 cannot hold either.
        const Utf8::Char c = Utf8::Decode(utf8, pos);
        const uint16_t form = Cp932Codec::Encode(c.code);
        if (form == NoChar) {
            out += '?';
        } else {
            if (form >= 0x100)
                out += static_cast<char>(form >> 8);
            out += static_cast<char>(form & 0xFF);
        }
        pos += static_cast<size_t>(c.length);
    }
    return out;
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
