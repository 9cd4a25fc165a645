#include "events/Score.h"
#include "platform/EventSink.h"
#include "platform/ProgramExit.h"
#include "screens/Opening.h"
#include "screens/ScreenGame.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// The end screens as the turn flow starts them, with the human's place set by the points given.
class EndingRun {
public:
    EndingRun(bool draw, std::initializer_list<std::pair<int, int32_t>> points) : s(draw)
    {
        for (const auto& [player, score] : points)
            s.game.score->AddScore(player, score, 0);
        s.game.score->SetRank();
        s.game.GameState = StateRunning;
    }

    // Runs the end screens; stopAt ends the run the first time the program waits in that state.
    void Run(int stopAt = -1)
    {
        start = s.platform.GetTickCount();
        s.game.onInputWait = [this, stopAt](int state) {
            if (!firstWait.count(state))
                firstWait[state] = s.platform.GetTickCount();
            if (state == stopAt)
                throw ProgramExit{0};
        };
        try {
            s.game.opening->PaintEnding();
            finished = true;
        } catch (const ProgramExit&) {
        }
        s.game.onInputWait = nullptr;
    }

    void OkAt(uint32_t afterStart)
    {
        s.platform.Schedule(s.platform.GetTickCount() + afterStart, InputEvent::Key(KeyCode::Enter));
    }
    uint32_t WaitedAt(int state) const { return firstWait.at(state) - start; }

    ScreenGame s;
    uint32_t start = 0;
    bool finished = false;
    std::map<int, uint32_t> firstWait;
};

TEST(Ending, AHumanNotRankedFirstGoesStraightToTheResultTable)
{
    EndingRun run(false, {{1, 100}, {0, 50}});
    run.s.game.GameMode = ModeExtra + ModeHarsh;
    run.OkAt(20000);
    run.OkAt(30000);
    run.Run();
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.firstWait.count(StateEnding), 0u);
    EXPECT_LT(run.WaitedAt(StateEndScore), 5000u);
    EXPECT_GE(run.WaitedAt(StateEndText), 20000u);
    EXPECT_EQ(run.s.game.GameState, StateTitle);
    EXPECT_EQ(run.s.game.GameMode, ModeHarsh);
}

TEST(Ending, TheWinnersEndingRunsItsCourseThenWaits10Seconds)
{
    EndingRun run(false, {{0, 100}, {1, 50}});
    run.OkAt(500000);
    run.OkAt(600000);
    run.Run();
    ASSERT_TRUE(run.finished);
    const auto& schedule = run.s.game.opening->endingSchedule();
    EXPECT_GE(run.WaitedAt(StateEnding), static_cast<uint32_t>(schedule[54]));
    EXPECT_LE(run.WaitedAt(StateEnding), static_cast<uint32_t>(schedule[54]) + 30u);
    EXPECT_GE(run.WaitedAt(StateEndScore) - run.WaitedAt(StateEnding), 10000u);
    EXPECT_LE(run.WaitedAt(StateEndScore) - run.WaitedAt(StateEnding), 10000u + 5000u);
}

TEST(Ending, OkDuringTheFirstFadesEndsTheEndingAtTheEndOfTheStep)
{
    // Tied for first place still counts as the winner.
    EndingRun run(false, {{0, 70}, {2, 70}});
    ASSERT_EQ(run.s.game.score->GetRank(0), 1);
    run.OkAt(4400);
    run.OkAt(100000);
    run.OkAt(200000);
    run.Run();
    ASSERT_TRUE(run.finished);
    // Step 10 of the ending lasts until 4500 ms; no 10 second wait follows.
    EXPECT_EQ(run.firstWait.count(StateEnding), 0u);
    EXPECT_GE(run.WaitedAt(StateEndScore), 4500u);
    EXPECT_LT(run.WaitedAt(StateEndScore), 4500u + 5000u);
}

TEST(Ending, OkDuringTheCurtainCutsItShort)
{
    EndingRun run(false, {{0, 70}});
    const auto& schedule = run.s.game.opening->endingSchedule();
    run.OkAt(schedule[32] + 100);
    run.OkAt(100000);
    run.OkAt(200000);
    run.Run();
    ASSERT_TRUE(run.finished);
    EXPECT_GE(run.WaitedAt(StateEndScore), static_cast<uint32_t>(schedule[33]));
    EXPECT_LT(run.WaitedAt(StateEndScore), static_cast<uint32_t>(schedule[33]) + 5000u);
}

TEST(Ending, TheResultTableAndTheClosingTextWaitWithoutLimit)
{
    EndingRun idle(false, {{1, 10}});
    idle.Run();
    EXPECT_FALSE(idle.finished);
    EXPECT_EQ(idle.s.game.GameState, StateEndScore);

    EndingRun late(false, {{1, 10}});
    late.OkAt(10u * 3600u * 1000u);
    late.Run();
    EXPECT_FALSE(late.finished);
    EXPECT_EQ(late.s.game.GameState, StateEndText);
    EXPECT_GE(late.s.platform.GetTickCount() - late.start, 10u * 3600u * 1000u);
}

bool AnyLit(const Picture& pic, int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (pic.Pixel(x, y) != 0)
                return true;
    return false;
}

TEST(Ending, ClosingTextForTheWinnerAndForTheOthers)
{
    EndingRun winner(true, {{0, 70}});
    winner.OkAt(1);
    winner.OkAt(50000);
    winner.Run(StateEndText);
    ASSERT_EQ(winner.s.game.GameState, StateEndText);
    const Picture& won = winner.s.game.PictureMain;
    EXPECT_TRUE(AnyLit(won, 50, 70, 150, 100));
    EXPECT_TRUE(AnyLit(won, 270, 500, 500, 530));
    EXPECT_TRUE(AnyLit(won, 400, 570, 600, 590));

    EndingRun second(true, {{3, 70}, {0, 60}});
    second.OkAt(1);
    second.Run(StateEndText);
    ASSERT_EQ(second.s.game.GameState, StateEndText);
    const Picture& lost = second.s.game.PictureMain;
    EXPECT_FALSE(AnyLit(lost, 0, 0, 150, 500));
    EXPECT_TRUE(AnyLit(lost, 150, 100, 250, 130));
    EXPECT_TRUE(AnyLit(lost, 270, 500, 500, 530));
}

// Looks at the picture whenever the pointer moves.
class PictureProbe : public EventSink {
public:
    explicit PictureProbe(std::function<void()> look) : look_(std::move(look)) {}
    void KeyDown(int) override {}
    void MouseDown(int, double, double) override {}
    void MouseMove(double, double) override { look_(); }
    void DblClick() override {}
    void Paint() override {}
    void Resize(bool) override {}
    void Unload() override {}

private:
    std::function<void()> look_;
};

TEST(Ending, AFadedTextLeavesNothingBehind)
{
    EndingRun run(true, {{0, 70}});
    const Picture& pic = run.s.game.PictureMain;
    const auto& schedule = run.s.game.opening->endingSchedule();
    std::vector<bool> lit;
    // The right part of the first text, clear of the two texts that follow it.
    PictureProbe probe([&] { lit.push_back(AnyLit(pic, 530, 150, 700, 300)); });
    run.s.platform.SetEventSink(&probe);
    run.s.platform.ScheduleAfter(schedule[8] + 100, InputEvent::Move(0, 0));
    run.s.platform.ScheduleAfter(schedule[16] + 100, InputEvent::Move(0, 0));
    run.Run(StateEnding);
    EXPECT_EQ(lit, (std::vector<bool>{true, false}));
}

TEST(Ending, TheLastStaffPostCarriesTheAuthorPicture)
{
    EndingRun run(true, {{0, 70}});
    run.s.game.PictureAuthor.BitBlt(0, 0, 200, 40, nullptr, 0, 0, RasterOp::Blackness);
    run.Run(StateEnding);
    ASSERT_EQ(run.s.game.GameState, StateEnding);
    const Picture& pic = run.s.game.PictureMain;
    for (const Point p :
         {Point{174, 301}, Point{373, 301}, Point{174, 340}, Point{373, 340}, Point{270, 320}})
        EXPECT_EQ(pic.Pixel(p.x, p.y), 0u) << p.x << "," << p.y;
    // The board frame is back around the thread view.
    EXPECT_EQ(pic.Pixel(66, 300), Rgb(192, 192, 192));
}

} // namespace
