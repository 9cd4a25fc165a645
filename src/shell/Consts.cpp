#include "shell/Consts.h"

#include "shell/Game.h"
#include "shell/ModuleCommon.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

constexpr std::array<const char*, 6> kWaitKeys = {"PopMove",  "PopShow",    "BarClear",
                                                  "CompNext", "CompThread", "CardMove"};

} // namespace

Consts::Consts(const Game& game)
{
    std::array<int32_t*, 6> fields = {&TimePopMove,  &TimePopShow,    &TimeBarClear,
                                      &TimeCompNext, &TimeCompThread, &timeCardMove_};
    std::array<int32_t, 6> values{};
    for (int kind = 0; kind < 6; ++kind)
        values[kind] = ReadWait(game, kind);
    for (int kind = 0; kind < 6; ++kind) {
        if (values[kind] >= 0)
            *fields[kind] = values[kind];
    }
}

int32_t Consts::ReadWait(const Game& game, int kind) const
{
    return ParseWait(game.ReadIni("WAIT", kWaitKeys[kind]));
}

int32_t Consts::ParseWait(const std::string& text)
{
    if (text.empty())
        return -1;
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // Only the leading decimal number counts; whatever follows it, such as a unit, is ignored.
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        number += text[i++];
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return RoundHalfEven(std::strtod(number.c_str(), nullptr));
}
