#include "keep/GameRecord.h"

#include "keep/Envelope.h"
#include "shell/DailyDeal.h"
#include "shell/GameTypes.h"

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

} // namespace

size_t GameRecord::DateCount() const
{
    size_t n = 0;
    for (const Dates& run : dates)
        n += run.count;
    return n;
}

std::time_t GameRecord::DateAt(size_t index) const
{
    for (const Dates& run : dates) {
        if (index < run.count)
            return static_cast<std::time_t>(run.time);
        index -= run.count;
    }
    return 0;
}

void GameRecord::AddDate(std::time_t time)
{
    if (!dates.empty() && dates.back().time == static_cast<int64_t>(time))
        ++dates.back().count;
    else
        dates.push_back({static_cast<int64_t>(time), 1});
}

std::string GameRecord::Serialize() const
{
    Json body;
    body["program"] = program;
    body["data"] = data;
    // As text: JSON readers elsewhere keep only 53 bits of a number.
    body["rng"] = std::to_string(rng);
    body["gameMode"] = gameMode;
    body["name"] = name;
    body["colour"] = colour;
    if (!daily.empty())
        body["daily"] = daily;
    Json list = Json::array();
    for (const Input& input : inputs)
        list.push_back({input.state, static_cast<int>(input.event.kind), input.event.code, input.event.x,
                        input.event.y});
    body["inputs"] = std::move(list);
    Json runs = Json::array();
    for (const Dates& run : dates)
        runs.push_back({run.time, run.count});
    body["dates"] = std::move(runs);
    return Envelope::Seal(Kind, Version, body.dump());
}

std::optional<GameRecord> GameRecord::Parse(std::string_view bytes, std::string& why)
{
    const std::optional<Json> opened = Envelope::OpenObject(Kind, Version, bytes, why);
    if (!opened)
        return std::nullopt;
    const Json& body = *opened;
    GameRecord record;
    const auto field = [&body](const char* key) -> const Json& {
        static const Json missing;
        const auto it = body.find(key);
        return it != body.end() ? *it : missing;
    };
    if (!field("program").is_string() || !field("data").is_string() || !field("rng").is_string() ||
        !IsInt(field("gameMode"), 0, ModeExtra + 3) ||
        (field("gameMode").get<int>() & ~(ModeExtra | 3)) != 0 || !IsInt(field("name"), 0, 7) ||
        !IsInt(field("colour"), 0, 3) || !field("inputs").is_array() || !field("dates").is_array())
        return std::nullopt;
    record.program = field("program").get<std::string>();
    record.data = field("data").get<std::string>();
    const std::string rng = field("rng").get<std::string>();
    try {
        size_t used = 0;
        record.rng = std::stoull(rng, &used);
        if (used != rng.size())
            return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    record.gameMode = field("gameMode").get<int>();
    record.name = field("name").get<int>();
    record.colour = field("colour").get<int>();
    if (!field("daily").is_null()) {
        if (!field("daily").is_string() || !DailyDeal::Date(field("daily").get<std::string>()))
            return std::nullopt;
        record.daily = field("daily").get<std::string>();
    }
    for (const Json& item : field("inputs")) {
        if (!item.is_array() || item.size() != 5 || !IsInt(item[0], StateDeckShow, StatePlayerTurn) ||
            !IsInt(item[1], 0, KindCount - 1) || !IsInt(item[2], 0, 255) || !IsCoordinate(item[3]) ||
            !IsCoordinate(item[4]))
            return std::nullopt;
        Input input;
        input.state = item[0].get<int>();
        input.event.kind = static_cast<InputEvent::Kind>(item[1].get<int>());
        input.event.code = item[2].get<int>();
        input.event.x = item[3].get<double>();
        input.event.y = item[4].get<double>();
        record.inputs.push_back(input);
    }
    for (const Json& item : field("dates")) {
        if (!item.is_array() || item.size() != 2 || !item[0].is_number_integer() ||
            !IsInt(item[1], 1, UINT32_MAX))
            return std::nullopt;
        record.dates.push_back({item[0].get<int64_t>(), item[1].get<uint32_t>()});
    }
    return record;
}
