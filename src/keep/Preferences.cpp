#include "keep/Preferences.h"

#include "keep/Envelope.h"
#include "shell/GameTypes.h"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

} // namespace

std::string Preferences::Serialize() const
{
    const Json body{{"opponents", StrengthName(opponents)}, {"pace", pace}, {"colourMarks", colourMarks}};
    return Envelope::Seal(Kind, Version, body.dump());
}

std::optional<Preferences> Preferences::Parse(std::string_view bytes, std::string& why)
{
    const std::optional<Json> body = Envelope::OpenObject(Kind, Version, bytes, why);
    if (!body)
        return std::nullopt;
    Preferences preferences;
    if (const auto found = body->find("opponents"); found != body->end()) {
        const std::optional<Strength> strength =
            found->is_string() ? ParseStrength(found->get<std::string>()) : std::nullopt;
        if (!strength)
            return std::nullopt;
        preferences.opponents = *strength;
    }
    if (const auto found = body->find("pace"); found != body->end()) {
        const int pace = found->is_number_integer() ? found->get<int>() : 0;
        if (!IsPace(pace))
            return std::nullopt;
        preferences.pace = pace;
    }
    if (const auto found = body->find("colourMarks"); found != body->end()) {
        if (!found->is_boolean())
            return std::nullopt;
        preferences.colourMarks = found->get<bool>();
    }
    return preferences;
}
