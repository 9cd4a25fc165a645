#include "keep/Statistics.h"

#include "keep/Envelope.h"
#include "shell/DailyDeal.h"
#include "shell/GameTypes.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

constexpr std::array<const char*, 4> ModeNames = {"またーり 山札式", "またーり デッキ式", "殺伐 山札式",
                                                  "殺伐 デッキ式"};

// The fields in the order of the file and of the table.
constexpr std::array<std::pair<const char*, int64_t Statistics::Game::*>, 9> Fields = {{
    {"finished", &Statistics::Game::finished},
    {"abandoned", &Statistics::Game::abandoned},
    {"firsts", &Statistics::Game::firsts},
    {"rankSum", &Statistics::Game::rankSum},
    {"scoreSum", &Statistics::Game::scoreSum},
    {"bestScore", &Statistics::Game::bestScore},
    {"threads1000", &Statistics::Game::threads1000},
    {"threads512", &Statistics::Game::threads512},
    {"bestThread", &Statistics::Game::bestThread},
}};

// Display width of UTF-8 text: the kana and kanji of the mode names take two columns.
size_t Columns(const std::string& text)
{
    size_t columns = 0;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : (c < 0xE0 ? 2 : (c < 0xF0 ? 3 : 4));
        columns += length >= 3 ? 2 : 1;
        i += length;
    }
    return columns;
}

std::string PadRight(const std::string& text, size_t width)
{
    return text + std::string(width > Columns(text) ? width - Columns(text) : 0, ' ');
}

std::string PadLeft(const std::string& text, size_t width)
{
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// One strength's eight games, the fields of each as Fields names them.
bool ReadTable(const Json& list, Statistics::Table& table)
{
    if (!list.is_array() || list.size() != Statistics::GameCount)
        return false;
    for (size_t i = 0; i < Statistics::GameCount; ++i) {
        const Json& entry = list[i];
        if (!entry.is_object())
            return false;
        for (const auto& [key, member] : Fields) {
            const auto it = entry.find(key);
            // Scores may fall below zero; counts may not.
            const bool score =
                member == &Statistics::Game::scoreSum || member == &Statistics::Game::bestScore;
            if (it == entry.end() || !it->is_number_integer() || (!score && it->get<int64_t>() < 0))
                return false;
            table[i].*member = it->get<int64_t>();
        }
    }
    return true;
}

} // namespace

int Statistics::Index(int gameMode)
{
    return (gameMode & (ModeDeck | ModeHarsh)) + ((gameMode & ModeExtra) != 0 ? 4 : 0);
}

std::string Statistics::Name(int index)
{
    return std::string(ModeNames[static_cast<size_t>(index & 3)]) + (index >= 4 ? " Extra" : "");
}

bool Statistics::Played(Strength opponents) const
{
    const Table& table = Against(opponents);
    return std::any_of(table.begin(), table.end(),
                       [](const Game& g) { return g.finished + g.abandoned > 0; });
}

void Statistics::AddFinished(Strength opponents, int gameMode, const Result& result)
{
    Game& g = Against(opponents)[static_cast<size_t>(Index(gameMode))];
    g.bestScore = g.finished == 0 ? result.score : std::max(g.bestScore, result.score);
    ++g.finished;
    if (result.rank == 1)
        ++g.firsts;
    g.rankSum += result.rank;
    g.scoreSum += result.score;
    g.threads1000 += result.threads1000;
    g.threads512 += result.threads512;
    g.bestThread = std::max(g.bestThread, result.bestThread);
}

void Statistics::AddAbandoned(Strength opponents, int gameMode)
{
    ++Against(opponents)[static_cast<size_t>(Index(gameMode))].abandoned;
}

void Statistics::AddDaily(const std::string& date, int gameMode, const Result& result)
{
    const Daily entry{date, gameMode, result.rank, result.score};
    // Dates as YYYY-MM-DD sort as text.
    if (!daily || date > daily->date ||
        (date == daily->date &&
         (result.rank < daily->rank || (result.rank == daily->rank && result.score > daily->score))))
        daily = entry;
}

std::string Statistics::DailyText(const Daily& result)
{
    return Name(Index(result.gameMode)) + " " + std::to_string(result.rank) + "位 " +
           std::to_string(result.score) + "点";
}

std::string Statistics::Average(int64_t sum, int64_t count)
{
    if (count <= 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(sum) / static_cast<double>(count));
    return text;
}

std::string Statistics::Text() const
{
    static constexpr std::array<const char*, 9> Heads = {
        "played", "finished", "abandoned", "firsts", "avg rank", "best", "average", "1000", "512 KB"};
    // Only the standard table, as before there were strengths, until another strength is played.
    const bool headed = Played(Strength::Weak) || Played(Strength::Strong);
    std::string text;
    for (const Strength opponents : Strengths) {
        if (opponents != Strength::Standard && !Played(opponents))
            continue;
        if (headed)
            text += std::string(text.empty() ? "" : "\n") + "against " +
                    std::string(StrengthName(opponents)) + " opponents\n";
        text += PadRight("game", 24);
        for (const char* head : Heads)
            text += PadLeft(head, 10);
        text += PadLeft("best thread", 12) + "\n";
        for (int i = 0; i < GameCount; ++i) {
            const Game& g = Against(opponents)[static_cast<size_t>(i)];
            text += PadRight(Name(i), 24);
            text += PadLeft(std::to_string(g.finished + g.abandoned), 10);
            text += PadLeft(std::to_string(g.finished), 10);
            text += PadLeft(std::to_string(g.abandoned), 10);
            text += PadLeft(std::to_string(g.firsts), 10);
            text += PadLeft(Average(g.rankSum, g.finished), 10);
            text += PadLeft(g.finished > 0 ? std::to_string(g.bestScore) : "-", 10);
            text += PadLeft(Average(g.scoreSum, g.finished), 10);
            text += PadLeft(std::to_string(g.threads1000), 10);
            text += PadLeft(std::to_string(g.threads512), 10);
            text += PadLeft(g.bestThread > 0 ? std::to_string(g.bestThread) : "-", 12) + "\n";
        }
    }
    if (daily)
        text += "best daily deal of " + daily->date + ": " + DailyText(*daily) + "\n";
    return text;
}

std::string Statistics::Serialize() const
{
    Json tables = Json::object();
    for (const Strength opponents : Strengths) {
        Json list = Json::array();
        for (const Game& g : Against(opponents)) {
            Json entry;
            for (const auto& [key, member] : Fields)
                entry[key] = g.*member;
            list.push_back(std::move(entry));
        }
        tables[std::string(StrengthName(opponents))] = std::move(list);
    }
    Json body{{"games", std::move(tables)}};
    if (daily) {
        body["daily"] = {{"date", daily->date},
                         {"gameMode", daily->gameMode},
                         {"rank", daily->rank},
                         {"score", daily->score}};
    }
    return Envelope::Seal(Kind, Version, body.dump());
}

std::optional<Statistics> Statistics::Parse(std::string_view bytes, std::string& why)
{
    int read = 0;
    const std::optional<Json> opened = Envelope::OpenObject(Kind, Version, bytes, why, 1, &read);
    if (!opened || !opened->contains("games"))
        return std::nullopt;
    const Json& body = *opened;
    const bool before = read == 1;
    Statistics stats;
    if (before) {
        if (!ReadTable(body["games"], stats.Against(Strength::Standard)))
            return std::nullopt;
    } else {
        const Json& tables = body["games"];
        if (!tables.is_object())
            return std::nullopt;
        for (const Strength opponents : Strengths) {
            const auto found = tables.find(std::string(StrengthName(opponents)));
            if (found == tables.end() || !ReadTable(*found, stats.Against(opponents)))
                return std::nullopt;
        }
    }
    // Files written before daily deals have none.
    if (const auto found = body.find("daily"); found != body.end()) {
        const Json& entry = *found;
        const auto integer = [&entry](const char* key) {
            return entry.is_object() && entry.contains(key) && entry[key].is_number_integer();
        };
        if (!integer("gameMode") || !integer("rank") || !integer("score") || !entry.contains("date") ||
            !entry["date"].is_string() || !DailyDeal::Date(entry["date"].get<std::string>()) ||
            entry["rank"].get<int>() < 1 || entry["rank"].get<int>() > 4)
            return std::nullopt;
        stats.daily = Daily{entry["date"].get<std::string>(), entry["gameMode"].get<int>() & (ModeExtra | 3),
                            entry["rank"].get<int>(), entry["score"].get<int64_t>()};
    }
    return stats;
}
