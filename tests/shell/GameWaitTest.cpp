#include "platform/EventSink.h"
#include "platform/ProgramExit.h"
#include "support/TestGame.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Records what reaches the window and can start a nested wait from inside a key handler, the way
// the game's turn flow does.
struct RecordingSink : EventSink {
    Game* game = nullptr;
    std::vector<int> keys;
    int nestedWaitMs = -1;
    uint32_t nestedEnd = 0;

    void KeyDown(int keyCode) override
    {
        keys.push_back(keyCode);
        if (keyCode == 1 && nestedWaitMs >= 0) {
            game->Wait(game->GetTickCount(), nestedWaitMs);
            nestedEnd = game->GetTickCount();
        }
    }
    void MouseDown(int, double, double) override {}
    void MouseMove(double, double) override {}
    void DblClick() override {}
    void Paint() override {}
    void Resize(bool) override {}
    void Unload() override { throw ProgramExit{0}; }
};

InputEvent Key(int code)
{
    return InputEvent::Key(code);
}

TEST(GameWait, ZeroLengthWaitStillPumpsOnce)
{
    TestGame t(false);
    RecordingSink sink;
    t.platform.SetEventSink(&sink);
    t.platform.Schedule(t.game.GetTickCount(), Key(40));
    t.game.Wait(t.game.GetTickCount(), 0);
    EXPECT_EQ(sink.keys, std::vector<int>{40});
}

TEST(GameWait, ReturnsOnlyAfterTheDeadlineAndDeliversInputOnTheWay)
{
    TestGame t(false);
    RecordingSink sink;
    t.platform.SetEventSink(&sink);
    const uint32_t start = t.game.GetTickCount();
    t.platform.Schedule(start + 30, Key(37));
    t.platform.Schedule(start + 500, Key(39));
    t.game.Wait(start, 100);
    EXPECT_GT(t.game.GetTickCount(), start + 100);
    EXPECT_EQ(sink.keys, std::vector<int>{37});
}

TEST(GameWait, InputHandledInsideAWaitCanWaitAgain)
{
    TestGame t(false);
    RecordingSink sink;
    sink.game = &t.game;
    sink.nestedWaitMs = 200;
    t.platform.SetEventSink(&sink);
    const uint32_t start = t.game.GetTickCount();
    t.platform.Schedule(start + 10, Key(1));
    t.platform.Schedule(start + 50, Key(13));
    t.game.Wait(start, 100);
    // The nested pause ran inside the outer one, and the outer pause still ended after its own time.
    EXPECT_EQ(sink.keys, (std::vector<int>{1, 13}));
    EXPECT_GT(sink.nestedEnd, start + 210);
    EXPECT_GE(t.game.GetTickCount(), sink.nestedEnd);
}

TEST(GameWait, WrapsAroundTheThirtyTwoBitClock)
{
    TestGame t(false);
    t.platform.AdvanceClock(0xFFFFFFFFu - t.game.GetTickCount() - 20);
    const uint32_t start = t.game.GetTickCount();
    t.game.Wait(start, 100);
    EXPECT_EQ(static_cast<int32_t>(t.game.GetTickCount() - start), 101);
}

TEST(GameAwaitInput, EndsWhenTheStateChangesOrAtTheDeadline)
{
    TestGame t(false);
    RecordingSink sink;
    t.platform.SetEventSink(&sink);
    const uint32_t start = t.game.GetTickCount();
    t.game.AwaitInput([] { return true; }, start + 15000);
    EXPECT_GT(t.game.GetTickCount(), start + 15000);

    int calls = 0;
    t.game.onInputWait = [&](int) { ++calls; };
    t.platform.ScheduleAfter(10, InputEvent::Key(37));
    t.platform.ScheduleAfter(20, InputEvent::Key(39));
    t.game.AwaitInput([&] { return calls < 3; });
    EXPECT_EQ(calls, 3);
}

TEST(GameAwaitInput, ForeverWaitWithNoInputLeftEndsTheRun)
{
    TestGame t(false);
    RecordingSink sink;
    t.platform.SetEventSink(&sink);
    EXPECT_THROW(t.game.AwaitInput([] { return true; }), ProgramExit);
}

} // namespace
