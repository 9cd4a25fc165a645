#pragma once

#include "keep/Statistics.h"
#include "platform/InputEvent.h"
#include "rules/Lineup.h"
#include "rules/MatchState.h"

#include <optional>
#include <string>
#include <string_view>

// The game in progress as it stands when it waits for the player: the whole state of the rules and
// where the screens are. Any later program whose record format is the same resumes it, whatever its
// version, and plays on exactly as without the break.
//
//   pakaponta-game 2 <checksum>
//   {"program": the version that wrote it (for people; never checked),
//    "screen": 40 (the deck preview) or 50 (the player's turn),
//    "name", "colour": the selection screen's choice, 0..7 and 0..3,
//    "daily": the day of a daily deal, left out for a free one,
//    "tally": [thousands, 512 KB threads, best thread points] of the player's finished threads,
//    "lastEvent": the latest pop-up's id,
//    "input": the key or click the game took at that wait, [kind, code, x, y], left out until it
//             takes one: a game closed while it plays the input out takes it again when resumed,
//    "lineup": {"seats": the four seats' strengths ("weak", "standard" or "strong"),
//               "seed": the thinking players' seed, a 64-bit number in decimal},
//    "match": the rules' state (MatchRecord.h)}
//
// Version 2 is the same without "lineup": its games are read as played by standard players, as they
// were. Version 1 of the same kind is the journal of inputs (GameRecord.h): it is replayed once and
// kept in this format from then on.
struct StateRecord {
    static constexpr const char* Kind = "pakaponta-game";
    static constexpr int Version = 3;

    // The format it was read in: an older one is written anew at the next wait.
    int version = Version;
    std::string program;
    int screen = 0;
    int name = 0;
    int colour = 0;
    std::string daily;
    Statistics::Result tally;
    int lastEvent = 0;
    std::optional<InputEvent> input;
    Lineup lineup;
    MatchState match;

    std::string Serialize() const;
    // nullopt with why when the bytes are not a whole, good record of this version.
    static std::optional<StateRecord> Parse(std::string_view bytes, std::string& why);
};
