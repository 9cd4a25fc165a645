#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The deal of a calendar day. A daily game starts from a seed made of its date alone, so everyone
// who plays a mode on the same day is dealt the same game, and a result can be compared by a line
// of text.
class DailyDeal {
public:
    // text as "YYYY-MM-DD" when it names a real day, else nullopt.
    static std::optional<std::string> Date(std::string_view text);
    // The local calendar date at time, as "YYYY-MM-DD".
    static std::string DateOn(std::time_t time);
    static uint64_t Seed(std::string_view date);
    // What the window or the page's title says while the program deals the day's games. Plain
    // ASCII: an X window takes another title only in a UTF-8 locale, which the program may lack.
    static std::string Title(std::string_view date);
    // The line a player shares after a daily game; the address is left out when empty.
    static std::string ShareLine(std::string_view date, int gameMode, int rank, int64_t score,
                                 std::string_view address);
};
