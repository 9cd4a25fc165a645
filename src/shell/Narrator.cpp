#include "shell/Narrator.h"

#include "events/EventCtrl.h"
#include "platform/Platform.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Game.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int KeyBoard = 'B';
constexpr int KeyHand = 'C';
constexpr int KeyScores = 'P';
constexpr int ExtraSwitchPresses = 5;

std::string ColourName(int32_t colour)
{
    return colour >= 0 && colour < static_cast<int32_t>(ColourNames.size())
               ? ColourNames[static_cast<size_t>(colour)]
               : "";
}

std::string TitleItem(int item, bool extra)
{
    static const char* const Modes[] = {"またーり 山札式", "またーり デッキ式", "殺伐 山札式",
                                        "殺伐 デッキ式"};
    if (item == MenuQuit)
        return std::string("回線切って首吊ってくる、終了") + (extra ? "。Extraがオン" : "");
    return std::string(Modes[item & 3]) + (extra ? " Extra" : "");
}

} // namespace

Narrator::Narrator(Game& game) : game_(game)
{
}

void Narrator::Say(const std::string& line)
{
    // A card's face breaks its text into lines, and labels pad with wide spaces: one spoken line.
    std::string spoken;
    for (size_t i = 0; i < line.size(); ++i) {
        const bool wide = line.compare(i, 3, "　") == 0;
        if (wide || line[i] == ' ' || line[i] == '\n' || line[i] == '\r') {
            const bool opened = spoken.size() >= 3 && spoken.compare(spoken.size() - 3, 3, "「") == 0;
            if (!spoken.empty() && spoken.back() != ' ' && !opened)
                spoken += ' ';
            i += wide ? 2 : 0;
        } else {
            spoken += line[i];
        }
    }
    while (!spoken.empty() && spoken.back() == ' ')
        spoken.pop_back();
    if (!spoken.empty())
        game_.platform.Narrate(spoken);
}

std::string Narrator::Name(int player) const
{
    return player == 0 ? "あなた" : game_.playerCtrl->GetPlayerName(player);
}

void Narrator::Update()
{
    const int state = game_.GameState;
    if (state != state_) {
        state_ = state;
        titleItem_ = card_ = thread_ = cardNo_ = -1;
        box_.clear();
        SayScreen(state);
    }
    if (state == StateTitle) {
        const bool extra = game_.opening && game_.opening->extraCount() == ExtraSwitchPresses;
        const int item = (game_.GameMode & 7) + (extra ? 8 : 0);
        if (item != titleItem_) {
            titleItem_ = item;
            Say(TitleItem(game_.GameMode & 7, extra));
        }
        return;
    }
    if (state != StatePlayerTurn && state != StateRunning && state != StateDeckShow)
        return;
    const std::string scores = ScoreLine();
    if (scores != scores_) {
        scores_ = scores;
        Say(scores);
    }
    if (state != StatePlayerTurn)
        return;
    const PlayerData& me = game_.match.players[0];
    const int32_t cardNo = me.handCard[me.currentCard];
    bool moved = false;
    if (me.currentCard != card_ || cardNo != cardNo_) {
        card_ = me.currentCard;
        cardNo_ = cardNo;
        moved = true;
        Say(std::to_string(card_ + 1) + "枚目、" + CardLine(cardNo));
    }
    if (me.currentThread != thread_) {
        thread_ = me.currentThread;
        moved = true;
        Say(ThreadLine(thread_));
    }
    const std::string box = BoxLine();
    if (moved || box != box_) {
        box_ = box;
        Say(box);
    }
}

void Narrator::SayScreen(int state)
{
    switch (state) {
    case StateTitle:
        Say("タイトル画面。上下左右でモードを選び、Enterで始めます。");
        break;
    case StateSelect:
        Say("名前と色の選択。左右で名前、上下で色、1から3で相手の強さ、Enterで始めます。");
        break;
    case StateDeckShow:
        Say("デッキの確認。Enterで始めます。");
        break;
    case StatePlayerTurn:
        Say("あなたの番です。左右でカード、上下でスレッドを選び、Enterで出します。Bで板、Cで手札、Pで得点を読"
            "み上げます。");
        break;
    case StateGameOver:
        Say("ゲーム終了。");
        break;
    case StateEndScore:
        SayResult();
        break;
    default:
        break;
    }
}

void Narrator::SayResult()
{
    std::array<int, PlayerCount> order{};
    std::iota(order.begin(), order.end(), 0);
    const auto& scores = game_.match.scores;
    std::stable_sort(order.begin(), order.end(),
                     [&scores](int a, int b) { return scores[a].rank < scores[b].rank; });
    std::string line = "結果。";
    for (const int p : order) {
        const PlayerScore& s = scores[p];
        line += std::to_string(s.rank) + "位 " + Name(p) + " " + std::to_string(s.total) + "点、完走" +
                std::to_string(s.finishedThreads) + "スレ。";
    }
    Say(line);
}

void Narrator::Played(const CardPlay& play)
{
    std::string line = Name(play.player) + "、" + CardLine(play.cardNo);
    line += play.discard ? "を捨てました" : "を" + std::to_string(play.position + 1) + "行目に出しました";
    Say(line);
}

void Narrator::Settings(bool opened, int row, Strength opponents, int pace, bool colourMarks)
{
    if (opened)
        Say("設定。上下で項目、左右で選択、ほかのキーで戻ります。");
    if (row == 0)
        Say(std::string("相手の強さ、") + StrengthLabels[static_cast<size_t>(opponents)]);
    else if (row == 1)
        Say("進行の速さ、" + std::to_string(pace) + "%");
    else
        Say(std::string("色の印、") + (colourMarks ? "オン" : "オフ"));
}

void Narrator::PopUp(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                     int32_t eventScore)
{
    if (game_.eventCtrl)
        Say(game_.eventCtrl->Spoken(eventIndex, eventString, eventTarget, eventScore));
}

bool Narrator::ReadOnDemand(int keyCode)
{
    const PlayerData& me = game_.match.players[0];
    switch (keyCode) {
    case KeyBoard:
        for (int position = 0; position < game_.match.board.threadMax && position < BoardPositions;
             ++position)
            Say(ThreadLine(position));
        return true;
    case KeyHand:
        for (int slot = 0; slot < HandSlots; ++slot) {
            if (me.handCard[slot] != NO_CARD)
                Say(std::to_string(slot + 1) + "枚目、" + CardLine(me.handCard[slot]));
        }
        return true;
    case KeyScores:
        Say(ScoreLine());
        return true;
    default:
        return false;
    }
}

std::string Narrator::CardLine(int32_t cardNo) const
{
    if (cardNo < 0 || cardNo == NO_CARD)
        return "カードなし";
    const Rules& rules = game_.rules;
    const std::string colour = ColourName(rules.CardColour(cardNo));
    if (cardNo < ThreadCardCount) {
        const std::string& title = game_.ThreadTexts[static_cast<size_t>(cardNo)].Title;
        return "スレ立てカード、" + colour + "、「" + title + "」";
    }
    const CardRecord& def = game_.cardDefs[static_cast<size_t>(rules.CardDef(cardNo))];
    if (!rules.Tables().Facts(cardNo).response)
        return "特殊カード、「" + def.CardText + "」";
    std::string line = colour + "のレスカード、" + std::to_string(rules.CardResNum(cardNo)) + "レス、" +
                       std::to_string(rules.CardSize(cardNo)) + "KB、" +
                       (rules.CardAgesage(cardNo) == 1 ? "sage" : "age");
    if (!def.CardText.empty())
        line += "、「" + def.CardText + "」";
    return line;
}

std::string Narrator::ThreadLine(int position) const
{
    const std::string row = std::to_string(position + 1) + "行目、";
    if (position < 0 || position >= BoardPositions)
        return row + "なし";
    const ThreadState& t = game_.rules.ThreadAt(position);
    if (t.resNum < 1 || t.resIndex < 0 || t.resIndex >= static_cast<int32_t>(game_.ThreadTexts.size()))
        return row + "空き";
    std::string line = row + "「" + game_.ThreadTexts[static_cast<size_t>(t.resIndex)].Title + "」、" +
                       ColourName(t.color) + "、" + std::to_string(t.resNum) + "レス、" +
                       std::to_string(t.size) + "KB";
    if (t.owner >= 0 && t.owner < PlayerCount)
        line += "、" + Name(t.owner) + "のスレ";
    if (t.agesage == 1)
        line += "、sage進行";
    if (t.resNum >= 1000)
        line += "、完走";
    if (t.stopFlag)
        line += "、停止";
    return line;
}

std::string Narrator::BoxLine() const
{
    const PlayerData& me = game_.match.players[0];
    if (!me.enableCard)
        return "出せるカードがありません。選んだカードを捨てます。";
    const bool fits = me.currentThread >= 0 && me.currentThread < BoardPositions &&
                      me.enable[static_cast<size_t>(me.currentThread)][static_cast<size_t>(me.currentCard)];
    return fits ? "置けます" : "置けません";
}

std::string Narrator::ScoreLine() const
{
    std::string line = "得点、";
    for (int p = 0; p < PlayerCount; ++p) {
        line += Name(p) + " " + std::to_string(game_.match.scores[p].total) + "点";
        line += p + 1 < PlayerCount ? "、" : "";
    }
    return line;
}
