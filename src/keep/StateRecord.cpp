#include "keep/StateRecord.h"

#include "keep/Envelope.h"
#include "keep/MatchRecord.h"
#include "shell/DailyDeal.h"
#include "shell/GameTypes.h"

#include <charconv>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

constexpr int KindCount = 6;

bool IsInt(const Json& value, int64_t low, int64_t high)
{
    return value.is_number_integer() && value.get<int64_t>() >= low && value.get<int64_t>() <= high;
}

bool IsCoordinate(const Json& value)
{
    return value.is_number() && value.get<double>() >= -100000 && value.get<double>() <= 100000;
}

bool ReadLineup(const Json& value, Lineup& lineup)
{
    if (!value.is_object() || value.size() != 2)
        return false;
    const auto seats = value.find("seats");
    const auto seed = value.find("seed");
    if (seats == value.end() || seed == value.end() || !seats->is_array() || seats->size() != PlayerCount ||
        !seed->is_string())
        return false;
    for (int seat = 0; seat < PlayerCount; ++seat) {
        const Json& name = (*seats)[seat];
        const std::optional<Strength> strength =
            name.is_string() ? ParseStrength(name.get<std::string>()) : std::nullopt;
        if (!strength)
            return false;
        lineup.seats[seat] = *strength;
    }
    const std::string& digits = seed->get_ref<const std::string&>();
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, lineup.seed);
    return !digits.empty() && error == std::errc{} && stop == end;
}

} // namespace

std::string StateRecord::Serialize() const
{
    nlohmann::ordered_json body;
    body["program"] = program;
    body["screen"] = screen;
    body["name"] = name;
    body["colour"] = colour;
    if (!daily.empty())
        body["daily"] = daily;
    body["tally"] = {tally.threads1000, tally.threads512, tally.bestThread};
    body["lastEvent"] = lastEvent;
    if (input)
        body["input"] = {static_cast<int>(input->kind), input->code, input->x, input->y};
    nlohmann::ordered_json seats = nlohmann::ordered_json::array();
    for (Strength seat : lineup.seats)
        seats.push_back(StrengthName(seat));
    body["lineup"] = {{"seats", seats}, {"seed", std::to_string(lineup.seed)}};
    body["match"] = MatchRecord::Write(match);
    return Envelope::Seal(Kind, Version, body.dump());
}

std::optional<StateRecord> StateRecord::Parse(std::string_view bytes, std::string& why)
{
    int read = 0;
    const std::optional<Json> opened = Envelope::OpenObject(Kind, Version, bytes, why, 2, &read);
    if (!opened)
        return std::nullopt;
    const Json& body = *opened;
    // The version before had no lineup: every seat was a standard player.
    const bool beforeLineups = read == 2;
    const auto field = [&body](const char* key) -> const Json& {
        static const Json missing;
        const auto it = body.find(key);
        return it != body.end() ? *it : missing;
    };
    const Json& screen = field("screen");
    const Json& tally = field("tally");
    if (!field("program").is_string() ||
        !(IsInt(screen, StateDeckShow, StateDeckShow) || IsInt(screen, StatePlayerTurn, StatePlayerTurn)) ||
        !IsInt(field("name"), 0, 7) || !IsInt(field("colour"), 0, 3) ||
        !IsInt(field("lastEvent"), -1, 1000) || !tally.is_array() || tally.size() != 3 ||
        !IsInt(tally[0], 0, 1000000) || !IsInt(tally[1], 0, 1000000) || !IsInt(tally[2], -1000000, 1000000))
        return std::nullopt;
    StateRecord record;
    if (!field("daily").is_null()) {
        if (!field("daily").is_string() || !DailyDeal::Date(field("daily").get<std::string>()))
            return std::nullopt;
        record.daily = field("daily").get<std::string>();
    }
    if (!field("input").is_null()) {
        const Json& item = field("input");
        if (!item.is_array() || item.size() != 4 || !IsInt(item[0], 0, KindCount - 1) ||
            !IsInt(item[1], 0, 255) || !IsCoordinate(item[2]) || !IsCoordinate(item[3]))
            return std::nullopt;
        InputEvent input;
        input.kind = static_cast<InputEvent::Kind>(item[0].get<int>());
        input.code = item[1].get<int>();
        input.x = item[2].get<double>();
        input.y = item[3].get<double>();
        record.input = input;
    }
    if (!beforeLineups && !ReadLineup(field("lineup"), record.lineup))
        return std::nullopt;
    std::optional<MatchState> match = MatchRecord::Read(field("match"), why);
    if (!match)
        return std::nullopt;
    record.version = beforeLineups ? 2 : Version;
    record.program = field("program").get<std::string>();
    record.screen = screen.get<int>();
    record.name = field("name").get<int>();
    record.colour = field("colour").get<int>();
    record.tally.threads1000 = tally[0].get<int64_t>();
    record.tally.threads512 = tally[1].get<int64_t>();
    record.tally.bestThread = tally[2].get<int64_t>();
    record.lastEvent = field("lastEvent").get<int>();
    record.match = std::move(*match);
    return record;
}
