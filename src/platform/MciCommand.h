#pragma once

#include <optional>
#include <string>
#include <string_view>

// One of the five music commands the game sends, taken apart:
//   Open "FILE" alias NAME | Status NAME mode | Play NAME from 0 notify | Stop NAME | Close NAME
// Words and aliases match without regard to case; aliases come out in lower case.
struct MciCommand {
    enum class Verb { Open, Status, Play, Stop, Close };

    Verb verb;
    std::string alias;
    std::string file; // Open only

    // nullopt for anything else, so that an unknown command is ignored as a whole.
    static std::optional<MciCommand> Parse(std::string_view text);
};
