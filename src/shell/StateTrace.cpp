#include "shell/StateTrace.h"

#include "rules/Rules.h"
#include "shell/GameReport.h"

#include <map>
#include <vector>

namespace {

nlohmann::ordered_json ThreadJson(const ThreadState& thread)
{
    return {{"resNum", thread.resNum},       {"Size", thread.size},
            {"owner", thread.owner},         {"Color", thread.color},
            {"Agesage", thread.agesage},     {"jienCount", thread.jienCount},
            {"GotFlag", thread.gotFlag},     {"FestaFlag", thread.festaFlag},
            {"IkusaFlag", thread.ikusaFlag}, {"StopFlag", thread.stopFlag},
            {"JudgeFlag", thread.judgeFlag}, {"browserCrash", thread.browserCrash}};
}

} // namespace

nlohmann::ordered_json StateTrace::BoardJson(const BoardState& board)
{
    nlohmann::ordered_json threads = nlohmann::ordered_json::array();
    for (const ThreadState& thread : board.threads)
        threads.push_back(ThreadJson(thread));
    return {{"order", board.order},
            {"threadMax", board.threadMax},
            {"threadCount", board.threadCount},
            {"threads", std::move(threads)}};
}

std::string StateTrace::CardLine(int game, const CardPlay& play, const BoardState& before, const Rules& rules,
                                 std::span<const Happening> happenings)
{
    const MatchState& s = rules.State();
    nlohmann::ordered_json line;
    line["game"] = game;
    // 0 for the opening threads, then 1 for the first turn.
    line["turn"] = s.turnCount + 1;
    line["player"] = play.player;
    line["slot"] = play.slot;
    line["cardNo"] = play.cardNo;
    line["cardIndex"] = rules.CardDef(play.cardNo);
    line["cardColor"] = rules.CardColour(play.cardNo);
    line["position"] = play.position;
    line["discard"] = play.discard;
    line["GameMode"] = s.GameMode;
    line["before"] = BoardJson(before);
    line["after"] = BoardJson(s.board);
    nlohmann::ordered_json events = nlohmann::ordered_json::array();
    for (const Happening& h : happenings) {
        if (h.kind == Happening::Kind::Event)
            events.push_back({{"id", h.eventIndex},
                              {"text", rules.Tables().Text(h.text)},
                              {"target", h.target},
                              {"score", h.score}});
    }
    line["events"] = std::move(events);
    nlohmann::ordered_json scores = nlohmann::ordered_json::array();
    nlohmann::ordered_json waits = nlohmann::ordered_json::array();
    nlohmann::ordered_json stops = nlohmann::ordered_json::array();
    for (int p = 0; p < PlayerCount; ++p) {
        scores.push_back(GameReport::ScoreJson(s.scores[p]));
        waits.push_back(s.players[p].waitCount);
        stops.push_back(s.players[p].stopCount);
    }
    line["scores"] = std::move(scores);
    line["waitCount"] = std::move(waits);
    line["stopCount"] = std::move(stops);
    line["LastCardWait"] = s.LastCardWait;
    return line.dump();
}

std::string StateTrace::GameLine(int game, uint64_t seed, const MatchState& state,
                                 std::span<const Happening> happenings)
{
    std::map<int32_t, int> counts;
    std::vector<int32_t> order;
    for (const Happening& h : happenings) {
        if (h.kind != Happening::Kind::Event)
            continue;
        ++counts[h.eventIndex];
        order.push_back(h.eventIndex);
    }
    nlohmann::ordered_json line;
    line["game"] = game;
    line["seed"] = seed;
    line["mode"] = state.GameMode & (ModeDeck | ModeHarsh);
    line["extra"] = (state.GameMode & ModeExtra) != 0;
    line["firstPlayer"] = state.firstPlayer;
    line["draws"] = state.cards.drawCount;
    // turnCount starts at -1: the first turn makes it 0.
    line["turns"] = state.turnCount + 1;
    nlohmann::ordered_json scores = nlohmann::ordered_json::array();
    for (const PlayerScore& score : state.scores)
        scores.push_back(GameReport::ScoreJson(score));
    line["players"] = std::move(scores);
    nlohmann::ordered_json events = nlohmann::ordered_json::object();
    for (const auto& [id, count] : counts)
        events[std::to_string(id)] = count;
    line["events"] = std::move(events);
    line["eventOrder"] = order;
    return line.dump();
}
