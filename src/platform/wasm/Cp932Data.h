#pragma once

#include <cstdint>

// The CP932 mappings of the desktop build's converter, written out by tools/cp932table when the
// page is built (see Cp932Codec.h).
namespace Cp932Data {

// What each byte decodes to alone, Cp932Codec::NoChar where it does not.
extern const uint16_t Single[256];
// For a lead byte, 1 + the index of its row in Pairs; 0 for every other byte.
extern const uint8_t LeadRow[256];
// Pairs[row][trail]: what a lead byte and a trail byte decode to.
extern const uint16_t Pairs[][256];
// Encoded[code]: the CP932 form of every BMP character, as Cp932Codec::Encode gives it.
extern const uint16_t Encoded[0x10000];

} // namespace Cp932Data
