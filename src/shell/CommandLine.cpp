#include "shell/CommandLine.h"

#include "shell/DailyDeal.h"
#include "shell/GameTypes.h"

#include <charconv>

namespace {

template <typename T> bool ParseNumber(const std::string& text, T& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

} // namespace

const char* CommandLine::Usage()
{
    return "usage: pakaponta [options]\n"
           "  --data DIR              folder of the data files (default: the program's folder)\n"
           "  --seed N                fixed random seed: the same games every run\n"
           "  --headless              no window, no sound, virtual clock\n"
           "  --script FILE           headless: timed input commands to play\n"
           "  --screenshot FILE.png   write the screen as a PNG when the program ends\n"
           "  --quit-at-state S[:K]   end the K-th time the program waits for input in state S\n"
           "  --autoplay              the computer plays your seat too, from the title on\n"
           "  --mode N                the game autoplay starts: 0..3 (+1 deck, +2 harsh)\n"
           "  --extra                 autoplay starts the Extra game of that mode\n"
           "  --games N               end after N games, one JSON line per game on stdout\n"
           "  --render none|full      none: draw nothing (fast simulation)\n"
           "  --trace FILE            one JSON line per card played or discarded\n"
           "  --opponents STRENGTH    the computer players: weak, standard or strong\n"
           "  --seat N=STRENGTH       one seat 0..3 (seat 0: the autopilot's play)\n"
           "  --narrate               print what a screen reader should say on standard output\n"
           "  --colour-marks          shapes beside the thread and player colours\n"
           "  --pace PERCENT          the computer players' turns, card flights and pop-ups: 100, 50 or 25\n"
           "  --profile DIR           keep the game in progress and the statistics in DIR\n"
           "  --new-game              start at the title, dropping the kept game\n"
           "  --stats                 print the statistics and end\n"
           "  --daily                 deal today's games: the same deal for everyone on that day\n"
           "  --daily-date YYYY-MM-DD deal that day's games (implies --daily)\n"
           "  --share-address URL     the address the daily result line names\n"
           "  --help                  this text\n"
           "  --version               the program's version\n";
}

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::string>& args, std::string& error)
{
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--data") {
            if (!value(line.dataDir))
                return std::nullopt;
        } else if (arg == "--seed") {
            uint64_t seed = 0;
            if (!value(text) || !ParseNumber(text, seed)) {
                error = "--seed needs a non-negative whole number";
                return std::nullopt;
            }
            line.seed = seed;
        } else if (arg == "--headless") {
            line.headless = true;
        } else if (arg == "--script") {
            if (!value(line.script))
                return std::nullopt;
        } else if (arg == "--screenshot") {
            if (!value(line.screenshot))
                return std::nullopt;
        } else if (arg == "--quit-at-state") {
            if (!value(text))
                return std::nullopt;
            const size_t colon = text.find(':');
            const bool ok =
                ParseNumber(text.substr(0, colon), line.quitAtState) &&
                (colon == std::string::npos || ParseNumber(text.substr(colon + 1), line.quitAtCount));
            // A state the program never enters would never end a headless run.
            if (!ok || line.quitAtCount < 1 || !IsGameState(line.quitAtState)) {
                error = "--quit-at-state needs S or S:K (S a state: 0, 10, ... 100; K >= 1)";
                return std::nullopt;
            }
        } else if (arg == "--autoplay") {
            line.autoplay = true;
        } else if (arg == "--mode") {
            if (!value(text) || !ParseNumber(text, line.mode) || line.mode < 0 || line.mode > 3) {
                error = "--mode needs 0, 1, 2 or 3";
                return std::nullopt;
            }
        } else if (arg == "--extra") {
            line.extra = true;
        } else if (arg == "--games") {
            if (!value(text) || !ParseNumber(text, line.games) || line.games < 1) {
                error = "--games needs a whole number of at least 1";
                return std::nullopt;
            }
        } else if (arg == "--render") {
            if (!value(text) || (text != "none" && text != "full")) {
                error = "--render needs none or full";
                return std::nullopt;
            }
            line.render = text == "full";
        } else if (arg == "--trace") {
            if (!value(line.trace))
                return std::nullopt;
        } else if (arg == "--opponents") {
            const std::optional<Strength> strength = value(text) ? ParseStrength(text) : std::nullopt;
            if (!strength) {
                error = "--opponents needs weak, standard or strong";
                return std::nullopt;
            }
            for (int seat = 1; seat < PlayerCount; ++seat)
                line.seats[seat] = strength;
        } else if (arg == "--seat") {
            const size_t equals = value(text) ? text.find('=') : std::string::npos;
            int seat = -1;
            const std::optional<Strength> strength =
                equals == std::string::npos ? std::nullopt : ParseStrength(text.substr(equals + 1));
            if (!strength || !ParseNumber(text.substr(0, equals), seat) || seat < 0 || seat >= PlayerCount) {
                error = "--seat needs N=STRENGTH (N 0..3; weak, standard or strong)";
                return std::nullopt;
            }
            line.seats[seat] = strength;
        } else if (arg == "--narrate") {
            line.narrate = true;
        } else if (arg == "--colour-marks") {
            line.colourMarks = true;
        } else if (arg == "--pace") {
            int pace = 0;
            if (!value(text) || !ParseNumber(text, pace) || !IsPace(pace)) {
                error = "--pace needs 100, 50 or 25";
                return std::nullopt;
            }
            line.pace = pace;
        } else if (arg == "--profile") {
            if (!value(line.profile))
                return std::nullopt;
        } else if (arg == "--new-game") {
            line.newGame = true;
        } else if (arg == "--stats") {
            line.stats = true;
        } else if (arg == "--daily") {
            line.daily = true;
        } else if (arg == "--daily-date") {
            const std::optional<std::string> date = value(text) ? DailyDeal::Date(text) : std::nullopt;
            if (!date) {
                error = "--daily-date needs a date as YYYY-MM-DD";
                return std::nullopt;
            }
            line.daily = true;
            line.dailyDate = *date;
        } else if (arg == "--share-address") {
            if (!value(line.shareAddress))
                return std::nullopt;
        } else if (arg == "--help") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    return line;
}
