#pragma once

#include "rules/CardRecord.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// card.dat's layout: 58 records and 50 texts, little-endian, CP932 strings with 16-bit counts. Kept
// apart from the loader so that the authoring tools need nothing of the game to read and write it.
class CardFile {
public:
    using Defs = std::array<CardRecord, CardDefCount>;
    using Texts = std::array<std::string, SpecialTextCount>;

    // Only the layout: takes any values, for tools that show a file as it is. Bounded: never reads
    // past the end. false leaves the tables untouched.
    static bool Read(std::string_view bytes, Defs& cardDefs, Texts& specialTexts);
    // The layout and what the rules rely on; a file that breaks them is never half-used.
    static bool Parse(std::string_view bytes, Defs& cardDefs, Texts& specialTexts);
    static std::string Serialize(const Defs& cardDefs, const Texts& specialTexts);

    // The largest file the layout can describe: every text at its 65535-byte limit.
    static constexpr int64_t MaxBytes =
        CardDefCount * (10 * 4 + 6 * (2 + 0xFFFF)) + SpecialTextCount * (2 + 0xFFFF);
};
