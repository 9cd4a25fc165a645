#pragma once

#include "rules/Lineup.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The program's options; see the README's "Options".
struct CommandLine {
    std::string dataDir;
    std::optional<uint64_t> seed;
    bool headless = false;
    std::string screenshot;
    std::string script;
    int quitAtState = -1;
    int quitAtCount = 1;
    // The simulator: seat 0 played by the computer player, the game it starts from the title, how
    // many games before the program ends (0: no end, no report), whether anything is drawn, and
    // the file that gets one line per card played.
    bool autoplay = false;
    int mode = 0;
    bool extra = false;
    int games = 0;
    bool render = true;
    std::string trace;
    // --opponents and --seat N=: strengths for this run, over the selection screen's choice.
    std::array<std::optional<Strength>, PlayerCount> seats{};
    // --pace: the paced pauses in percent, over the kept choice.
    std::optional<int> pace;
    // --narrate: words for a screen reader (the page asks for them too).
    bool narrate = false;
    // --colour-marks: shapes beside the colours, over the kept choice.
    std::optional<bool> colourMarks;
    // The folder of the kept game and the statistics (the headless program keeps nothing without
    // it); --new-game drops the kept game; --stats prints the statistics and ends.
    std::string profile;
    bool newGame = false;
    bool stats = false;
    // --daily deals the day's games: today's, or dailyDate's when given (--daily-date); the share
    // line names shareAddress.
    bool daily = false;
    std::string dailyDate;
    std::string shareAddress;
    bool help = false;
    bool version = false;

    // nullopt (with the reason in error) for an unknown flag or a bad value.
    static std::optional<CommandLine> Parse(const std::vector<std::string>& args, std::string& error);
    static const char* Usage();
};
