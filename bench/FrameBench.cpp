// The cost of one frame of each kind the window shows, against the floor of clearing and copying
// one 808 x 630 picture. "Copy" is our share of presenting: the picture copied into a buffer of the
// same size (the texture upload after it is SDL's).
// Run: pakaponta_bench --benchmark_filter=Frame --benchmark_repetitions=5
//      --benchmark_report_aggregates_only=true
#include "board/ThreadCtrl.h"
#include "events/EventCtrl.h"
#include "gfx/ChangedArea.h"
#include "gfx/FontEngine.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessPlatform.h"
#include "players/CardCtrl.h"
#include "players/PlayerCtrl.h"
#include "shell/CommandLine.h"
#include "shell/Game.h"
#include "shell/Simulator.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace {

std::string DataDirectory()
{
    const char* dir = std::getenv("PAKAPONTA_DATA");
    return dir != nullptr ? std::string(dir) + "/" : FileSystem::ExecutableDir();
}

FontEngine& SharedFonts()
{
    static std::unique_ptr<FontEngine> fonts = FontEngine::Create();
    return *fonts;
}

// A drawn game stopped on the player's first turn in mid-game with a full board (eight threads, or
// the 60th turn at the latest), its thread view on the fullest thread: twelve rows, eight
// responses in view, ten cards in the hand.
struct BusyBoard {
    HeadlessPlatform platform;
    Game game{platform, &SharedFonts(), 6, true, DataDirectory()};
    std::ostringstream report;
    std::vector<uint32_t> presented = std::vector<uint32_t>(PictureWidth * PictureHeight);

    BusyBoard()
    {
        CommandLine line;
        line.headless = true;
        line.autoplay = true;
        int turns = 0;
        {
            const Simulator simulator(game, line, 6, report, nullptr, [this, &turns](int state) {
                if (state != StatePlayerTurn)
                    return;
                ++turns;
                if ((turns >= 10 && game.threadCtrl->GetThreadCount() >= 8) || turns == 60)
                    game.Quit(0);
            });
            try {
                game.Start();
                game.Run();
            } catch (const ProgramExit&) {
            }
        }
        game.onInputWait = nullptr;
        game.onEvent = nullptr;
        game.onCardCommit = nullptr;
        int fullest = 0;
        for (int position = 0; position < 12; ++position) {
            if (game.threadCtrl->GetThread(position).resNum() > game.threadCtrl->GetThread(fullest).resNum())
                fullest = position;
        }
        game.playerCtrl->MoveCurrentThreadDirect(0, fullest);
        game.RepaintBoard();
    }

    void Present()
    {
        std::memcpy(presented.data(), game.PictureMain.Data(), presented.size() * sizeof(uint32_t));
    }

    std::string Label() const
    {
        const int32_t position = game.playerCtrl->GetCurrentThread(0);
        return std::to_string(game.threadCtrl->GetThreadCount()) + " threads, " +
               std::to_string(game.threadCtrl->GetThread(position).resNum()) + " responses in view";
    }
};

BusyBoard& Board()
{
    static BusyBoard board;
    return board;
}

void BM_FrameFloor(benchmark::State& state)
{
    BusyBoard& board = Board();
    for (auto _ : state) {
        board.game.PictureMain.Clear();
        board.Present();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameFloor)->Unit(benchmark::kMicrosecond);

void BM_FrameBoard(benchmark::State& state)
{
    BusyBoard& board = Board();
    for (auto _ : state) {
        board.game.RepaintBoard();
        board.Present();
        benchmark::ClobberMemory();
    }
    state.SetLabel(board.Label());
}
BENCHMARK(BM_FrameBoard)->Unit(benchmark::kMicrosecond);

// The board after a response is posted to the thread in view: its view is laid out and painted
// afresh (the frame above reuses it, as a cursor move does).
void BM_FrameBoardAfterPost(benchmark::State& state)
{
    BusyBoard& board = Board();
    Game& game = board.game;
    const int slot = game.match.board.order[game.playerCtrl->GetCurrentThread(0)];
    for (auto _ : state) {
        game.rules.AddPosts(slot, 1, -1, nullptr, 0, Post::Plain, {TextRef::Special, 0, 0}, true, 0);
        board.game.RepaintBoard();
        board.Present();
        benchmark::ClobberMemory();
    }
    state.SetLabel(board.Label());
}
BENCHMARK(BM_FrameBoardAfterPost)->Unit(benchmark::kMicrosecond);

// One step of a card flying to the board: the board put back where the last step drew, the card
// at its step, shown.
void BM_FrameCardFlight(benchmark::State& state)
{
    BusyBoard& board = Board();
    Game& game = board.game;
    Picture& pic = game.PictureMain;
    game.PictureTemp2.BitBlt(0, 0, PictureWidth, PictureHeight, &pic, 0, 0, RasterOp::SrcCopy);
    pic.ForgetChanges();
    const int cardNo = game.playerCtrl->GetPlayerCardIndex(0, 0);
    int step = 0;
    for (auto _ : state) {
        pic.RestoreChanges(game.PictureTemp2);
        game.cardCtrl->PaintMoveCard(pic, cardNo, step / 21 % 4, 20 - step % 21);
        board.Present();
        benchmark::ClobberMemory();
        ++step;
    }
    pic.RestoreChanges(game.PictureTemp2);
}
BENCHMARK(BM_FrameCardFlight)->Unit(benchmark::kMicrosecond);

// One step of a pop-up zooming shut: the board put back where the last step drew, the frame at its
// step (a 3-pixel grey pen around white, as the pop-up draws it), shown.
void BM_FramePopUpZoom(benchmark::State& state)
{
    BusyBoard& board = Board();
    Game& game = board.game;
    Picture& pic = game.PictureMain;
    game.PictureTemp2.BitBlt(0, 0, PictureWidth, PictureHeight, &pic, 0, 0, RasterOp::SrcCopy);
    pic.ForgetChanges();
    const Rect frame = game.eventCtrl->frameRect();
    int step = 0;
    for (auto _ : state) {
        const int n = 1 + step % 9;
        pic.RestoreChanges(game.PictureTemp2);
        pic.SetPenWidth(3);
        pic.SetForeColor(0x808080);
        pic.SetFillColor(0xFFFFFF);
        pic.SetFillSolid(true);
        pic.Rectangle(frame.left + 27 * n, frame.top + 18 * n, frame.right - 27 * n, frame.bottom - 18 * n);
        pic.SetPenWidth(1);
        board.Present();
        benchmark::ClobberMemory();
        ++step;
    }
    pic.RestoreChanges(game.PictureTemp2);
}
BENCHMARK(BM_FramePopUpZoom)->Unit(benchmark::kMicrosecond);

// The still frame of a pop-up: its frame, the thread's responses, title and points over the board.
void BM_FramePopUpStill(benchmark::State& state)
{
    BusyBoard& board = Board();
    Game& game = board.game;
    const std::string position = " " + std::to_string(game.playerCtrl->GetCurrentThread(0));
    for (auto _ : state) {
        game.eventCtrl->PaintPopUp(ThreadEnd, position, 1, 120);
        board.Present();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FramePopUpStill)->Unit(benchmark::kMicrosecond);

// What every present pays before it sends anything: finding what changed since the last frame
// shown, here nothing, so the whole frame is compared.
void BM_FrameUnchanged(benchmark::State& state)
{
    const Picture& pic = Board().game.PictureMain;
    std::vector<uint32_t> shown(static_cast<size_t>(ClientWidth) * ClientHeight);
    for (int y = 0; y < ClientHeight; ++y)
        std::memcpy(shown.data() + y * ClientWidth, pic.Data() + y * PictureWidth,
                    ClientWidth * sizeof(uint32_t));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ChangedArea(shown.data(), pic.Data(), PictureWidth, ClientWidth, ClientHeight));
}
BENCHMARK(BM_FrameUnchanged)->Unit(benchmark::kMicrosecond);

} // namespace
