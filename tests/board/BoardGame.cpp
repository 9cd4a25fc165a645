#include "board/BoardGame.h"

#include "events/Score.h"
#include "players/CardCtrl.h"

#include <algorithm>

namespace {

ThreadCtrl& MakeBoard(TestGame& t)
{
    Game& g = t.game;
    t.LoadFixtureData();
    g.MakeControllers();
    g.score->ScoreInit();
    return *g.threadCtrl;
}

} // namespace

BoardGame::BoardGame(bool draw) : t(draw), game(t.game), board(MakeBoard(t)), probe{board}
{
    game.onEvent = [this](int32_t id, const std::string& text, int32_t target, int32_t score) {
        events.push_back({id, text, target, score});
    };
}

int BoardGame::Open(int player, int colour, int mark)
{
    // Thread cards come fifteen to a colour; the god's colour 4 is given to the thread afterwards.
    const int group = colour >= 1 && colour <= 3 ? colour - 1 : 0;
    const int cardNo = 15 * group + nextThreadCard[group]++;
    game.match.cards.crashMark[cardNo] = static_cast<int8_t>(mark);
    board.PayCard(0, cardNo, player);
    if (colour == 4)
        board.GetThread(0).Color(colour);
    return cardNo;
}

void BoardGame::OpenMany(int count)
{
    for (int i = 0; i < count; ++i)
        Open(i % 4, i % 4 + 1);
}

void BoardGame::Play(int def, int colour, int position, int player)
{
    int cardNo = 237 + def - AdminCard;
    if (def < AdminCard)
        cardNo = colour == 0 ? 45 + def : 93 + (colour - 1) * 48 + def;
    board.PayCard(position, cardNo, player);
}

void BoardGame::Grow(int position, int32_t resNum, int32_t size)
{
    Thread& thread = board.GetThread(position);
    thread.resNum(resNum);
    thread.Size(size);
    const int slot = board.Order()[position];
    game.rules.AddPosts(slot, resNum - board.GetRes(position).Entry(0).number, -1, nullptr, 0, Post::Plain,
                        {TextRef::Special, 0, 0}, true, 0);
}

std::vector<int32_t> BoardGame::EventIds() const
{
    std::vector<int32_t> ids;
    for (const Raised& e : events)
        ids.push_back(e.id);
    return ids;
}

bool BoardGame::OrderIsPermutation() const
{
    std::array<int32_t, 12> sorted = board.Order();
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 12; ++i) {
        if (sorted[i] != i)
            return false;
    }
    return true;
}
