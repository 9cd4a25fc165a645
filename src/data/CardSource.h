#pragma once

#include "rules/CardRecord.h"

#include <array>
#include <string>
#include <string_view>

// The card definitions and special texts in the form they are written and reviewed in: a JSON
// document, UTF-8, every text a list of its lines. card.dat is built from it and dumps back to it
// byte for byte.
class CardSource {
public:
    std::array<CardRecord, CardDefCount> cardDefs;
    std::array<std::string, SpecialTextCount> specialTexts;

    // Reads a document and checks it. Returns "" or what is wrong, naming the entry; on a fault the
    // tables are left as they were.
    std::string Parse(std::string_view json);
    // What card.dat must hold for the game to play by its rules: "" or the first fault found.
    std::string Check() const;
    // The document Parse reads, in its one canonical layout.
    std::string Dump() const;

    // The most bytes one text may take in card.dat (its count is 16 bits).
    static constexpr int MaxTextBytes = 0xFFFF;
    static constexpr int MaxResponses = 5;
};
