#include "shell/PlayTrace.h"

#include "board/Card.h"
#include "board/ThreadCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/Game.h"
#include "shell/GameReport.h"

#include <array>

namespace {

nlohmann::ordered_json ThreadJson(const Thread& thread)
{
    return {{"resNum", thread.resNum()},       {"Size", thread.Size()},
            {"owner", thread.owner()},         {"Color", thread.Color()},
            {"Agesage", thread.Agesage()},     {"jienCount", thread.jienCount()},
            {"GotFlag", thread.GotFlag()},     {"FestaFlag", thread.FestaFlag()},
            {"IkusaFlag", thread.IkusaFlag()}, {"StopFlag", thread.StopFlag()},
            {"JudgeFlag", thread.JudgeFlag()}, {"browserCrash", thread.browserCrash()}};
}

} // namespace

PlayTrace::PlayTrace(Game& game, const GameReport& report, std::ostream& out)
    : game_(game), report_(report), out_(out)
{
}

nlohmann::ordered_json PlayTrace::Board() const
{
    ThreadCtrl& board = *game_.threadCtrl;
    const std::array<int32_t, 12>& order = board.Order();
    // Listed by slot, as order refers to them.
    std::array<const Thread*, 12> bySlot{};
    for (int position = 0; position < 12; ++position)
        bySlot[order[position]] = &board.GetThread(position);
    nlohmann::ordered_json threads = nlohmann::ordered_json::array();
    for (const Thread* thread : bySlot)
        threads.push_back(ThreadJson(*thread));
    return {{"order", order},
            {"threadMax", board.GetThreadMax()},
            {"threadCount", board.GetThreadCount()},
            {"threads", std::move(threads)}};
}

void PlayTrace::OnEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                        int32_t eventScore)
{
    if (!inPlay_)
        return;
    events_.push_back(
        {{"id", eventIndex}, {"text", eventString}, {"target", eventTarget}, {"score", eventScore}});
}

void PlayTrace::OnCardCommit(const CardPlay& play, bool after)
{
    if (!after) {
        before_ = Board();
        events_ = nlohmann::ordered_json::array();
        inPlay_ = true;
        return;
    }
    inPlay_ = false;
    PlayerCtrl& players = *game_.playerCtrl;
    const Card& card = game_.cardCtrl->GetCard(play.cardNo);
    nlohmann::ordered_json line;
    line["game"] = report_.GamesFinished() + 1;
    // 0 for the opening threads, then 1 for the first turn.
    line["turn"] = players.turnCount() + 1;
    line["player"] = play.player;
    line["slot"] = play.slot;
    line["cardNo"] = play.cardNo;
    line["cardIndex"] = card.cardIndex();
    line["cardColor"] = card.cardColor();
    line["position"] = play.position;
    line["discard"] = play.discard;
    line["GameMode"] = game_.GameMode;
    line["before"] = std::move(before_);
    line["after"] = Board();
    line["events"] = std::move(events_);
    nlohmann::ordered_json scores = nlohmann::ordered_json::array();
    nlohmann::ordered_json waits = nlohmann::ordered_json::array();
    nlohmann::ordered_json stops = nlohmann::ordered_json::array();
    for (int p = 0; p < 4; ++p) {
        scores.push_back(GameReport::ScoreJson(game_.score->Get(p)));
        waits.push_back(players.GetWaitCount(p));
        stops.push_back(players.GetPlayerStop(p));
    }
    line["scores"] = std::move(scores);
    line["waitCount"] = std::move(waits);
    line["stopCount"] = std::move(stops);
    line["LastCardWait"] = game_.LastCardWait;
    out_ << line.dump() << '\n';
}
