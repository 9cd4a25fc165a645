#include "shell/GameReport.h"

#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"

GameReport::GameReport(Game& game, uint64_t seed, int games, std::ostream* out)
    : game_(game), seed_(seed), games_(games), out_(out)
{
}

void GameReport::OnInputWait(int state)
{
    if (state == StateGameOver) {
        if (!reported_) {
            reported_ = true;
            ++finished_;
            if (out_ != nullptr)
                *out_ << GameLine() << '\n';
            events_.clear();
            eventOrder_.clear();
        }
        return;
    }
    reported_ = false;
    if (state == StateTitle && games_ > 0 && finished_ >= games_)
        game_.Quit(0);
}

void GameReport::OnEvent(int32_t eventIndex)
{
    ++events_[eventIndex];
    eventOrder_.push_back(eventIndex);
}

nlohmann::ordered_json GameReport::ScoreJson(const PlayerScore& score)
{
    return {{"total", score.total},
            {"threadPoints", score.threadPoints},
            {"resPoints", score.resPoints},
            {"otherPoints", score.otherPoints},
            {"finishedThreads", score.finishedThreads},
            {"finishedRes", score.finishedRes},
            {"rank", score.rank}};
}

std::string GameReport::GameLine() const
{
    const PlayerCtrl& players = *game_.playerCtrl;
    nlohmann::ordered_json line;
    line["game"] = finished_;
    line["seed"] = seed_;
    line["mode"] = game_.GameMode & (ModeDeck | ModeHarsh);
    line["extra"] = (game_.GameMode & ModeExtra) != 0;
    line["firstPlayer"] = players.firstPlayer();
    line["draws"] = game_.cardCtrl->DrawCount();
    // turnCount starts at -1: the first turn makes it 0.
    line["turns"] = players.turnCount() + 1;
    nlohmann::ordered_json scores = nlohmann::ordered_json::array();
    for (int p = 0; p < 4; ++p)
        scores.push_back(ScoreJson(game_.score->Get(p)));
    line["players"] = std::move(scores);
    nlohmann::ordered_json events = nlohmann::ordered_json::object();
    for (const auto& [id, count] : events_)
        events[std::to_string(id)] = count;
    line["events"] = std::move(events);
    line["eventOrder"] = eventOrder_;
    return line.dump();
}
