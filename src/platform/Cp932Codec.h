#pragma once

#include <array>
#include <cstdint>

// Where the CP932 mappings come from: the system's converter on the desktop, and on the web (whose
// C library has no CP932) a table made from that same converter when the page is built, so that
// both read and write every text alike.
namespace Cp932Codec {

constexpr uint16_t NoChar = 0xFFFF;

// What every byte and byte pair decodes to, NoChar where the converter refuses it.
struct DecodeTable {
    std::array<uint16_t, 256> single;
    std::array<bool, 256> lead;
    // pair[lead][trail]
    std::array<std::array<uint16_t, 256>, 256> pair;
};

const DecodeTable& Decoding();

// The CP932 form of a BMP character: one byte (below 0x100), a lead and a trail byte
// (lead << 8 | trail), or NoChar when CP932 cannot hold it.
uint16_t Encode(char32_t code);

} // namespace Cp932Codec
