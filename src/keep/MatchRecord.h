#pragma once

#include "rules/MatchState.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// A game in progress as one JSON object: every value of its MatchState, so that the game read back
// shows and plays on exactly as the one written. Numbers are the state's own; NO_CARD (2147483647)
// is an empty hand slot or a place past the game's cards in the pile.
//
//   "gameMode"      0..67: the bits 1 (deck), 2 (harsh) and 64 (Extra) and no others
//   "lastCardWait"  0..276, the wait the latest card costs (the harsh mode's turn order)
//   "firstPlayer"   0..3
//   "turnCount"     -1 (nobody has moved) .. 1000000
//   "rng"           the random source's 64-bit state as decimal text: JSON numbers keep 53 bits.
//                   A source read back is a fixed one, never reseeded from the clock.
//   "deal"          the threads of the game: "file" [45] the thread file each came from, -1..199;
//                   "pool" [45][20] -1 (the file's own response) or the pool response 0..999;
//                   "emptyMask" [45] bit k: response k is empty, below 2^20; "dealt" 0..45
//   "players" [4]   "color" 0..3, "nameIndex" 0..7, "id" "" or 8 of 0-9 A-Z a-z / +,
//                   "hand" [10] cards 0..245, or NO_CARD once the player can draw no more (the
//                   cards are out, or his deck in the deck mode), "stopCount" 0..4 (turns banned),
//                   "enable" [12] one text per board position of ten '0'/'1', one per hand slot,
//                   "enableCard" true exactly when "enable" has a '1', "currentCard" 0..9,
//                   "currentThread" 0..11, "waitCount" -1000..10000, "myCardCount" the cards drawn
//                   from the player's own deck: 0..a quarter of the game's cards in the deck mode,
//                   where the four together have drawn no more than drawCount, 0 otherwise.
//                   While drawCount is 0 the hands are not dealt yet (the deck preview): the hands
//                   and myCardCount are the last game's, of any mode, and need only be cards or
//                   NO_CARD and 0..82; the game goes on from there by dealing them.
//   "scores" [4]    "total", "threadPoints", "resPoints", "otherPoints", "finishedThreads",
//                   "finishedRes": any 32-bit number; "rank" 1..4
//   "board"         "order" [12] the slot shown at each position, a permutation of 0..11;
//                   "threadCount" 0..threadMax; "threadMax" 5..11; "threads" [12] by slot, sorted
//                   as every card leaves them: live (responses, not stopped) exactly at the first
//                   threadCount positions, stopped only at positions from threadMax on:
//                   "resNum" -1..1001, "size" 0..512, "resIndex" -1..44, "owner" -1..3, "color" -1..4,
//                   "agesage" 0..1, "jienCount" 0..328, "gotFlag" 0..3, "festaFlag" 0..2,
//                   "ikusaFlag", "stopFlag" true or false, "judgeFlag" 0..2, "browserCrash" 0, 1, 2, 3
//                   or 6, "noClockText" true or false, "posts" [8] newest first, each
//                   [number 0..1001, kind 0..3, agesage -128..127, name -1..7, text kind 0..4, text a,
//                    text b, id "" or 8 characters as a player's, date: minutes since 1970, any]
//                   where the text's a and b are what its kind indexes: none 0 0, special text 0..49 0,
//                   card response 0..57 0..4, thread response 0..44 0..19, board position 0..11 0
//   "cards"         "godColour" 1..3; "crashMark" [45] 0, 2 or 6; "pile" [328] cards 0..245, NO_CARD
//                   allowed only past the game's cards (204, or 328 in Extra); "drawCount" 0..the
//                   game's cards
//
// Other keys are ignored; the version is the enclosing file's (Envelope). The ranges are those the
// rules keep: a record within them never makes the rules read outside an array or wait forever for a
// card that cannot come.
class MatchRecord {
public:
    static nlohmann::ordered_json Write(const MatchState& state);
    // nullopt, with the field and what is wrong with it on one line in why, when any field is
    // missing, of another type or out of its range.
    static std::optional<MatchState> Read(const nlohmann::json& json, std::string& why);
};
