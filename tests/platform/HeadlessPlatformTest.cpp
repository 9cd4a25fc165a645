#include "platform/headless/HeadlessPlatform.h"

#include "platform/EventSink.h"
#include "platform/FileSystem.h"
#include "platform/ProgramExit.h"
#include "platform/headless/HeadlessScript.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

// Writes down what arrives, with the clock at that moment.
class RecordingSink : public EventSink {
public:
    explicit RecordingSink(Platform& platform) : platform_(platform) {}

    void KeyDown(int keyCode) override { Note("key " + std::to_string(keyCode)); }
    void MouseDown(int button, double x, double y) override
    {
        Note("click " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
             " " + std::to_string(button));
    }
    void MouseMove(double x, double y) override
    {
        Note("move " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    }
    void DblClick() override { Note("dblclick"); }
    void Paint() override { Note("paint"); }
    void Resize(bool minimized) override { Note(minimized ? "minimize" : "restore"); }
    void Unload() override { Note("close"); }

    std::vector<std::string> seen;
    std::vector<uint32_t> ticks;
    std::function<void(const std::string&)> onEvent;

private:
    void Note(const std::string& what)
    {
        seen.push_back(what);
        ticks.push_back(platform_.GetTickCount());
        if (onEvent)
            onEvent(what);
    }

    Platform& platform_;
};

class HeadlessPlatformTest : public testing::Test {
protected:
    HeadlessPlatform platform;
    RecordingSink sink{platform};

    void SetUp() override { platform.SetEventSink(&sink); }
};

TEST_F(HeadlessPlatformTest, WaitStopsAtTheNextDueEventOrAtTheDeadline)
{
    const uint32_t start = platform.GetTickCount();
    platform.Schedule(start + 300, InputEvent::Key(13));
    platform.WaitForEvent(start + 100);
    EXPECT_EQ(platform.GetTickCount(), start + 100);
    platform.PumpEvents();
    EXPECT_TRUE(sink.seen.empty());

    platform.WaitForEvent(start + 1000);
    EXPECT_EQ(platform.GetTickCount(), start + 300);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, std::vector<std::string>{"key 13"});
    EXPECT_EQ(sink.ticks.back(), start + 300);
}

TEST_F(HeadlessPlatformTest, WaitReturnsAtOnceWhileAnEventIsDue)
{
    platform.ScheduleAfter(0, InputEvent::DoubleClick());
    const uint32_t before = platform.GetTickCount();
    platform.WaitForEvent(before + 500);
    EXPECT_EQ(platform.GetTickCount(), before);
}

TEST_F(HeadlessPlatformTest, WaitPastItsDeadlineStillLetsTimePass)
{
    // A loop that waits until the clock is beyond its deadline must not spin for ever.
    const uint32_t deadline = platform.GetTickCount() + 50;
    int passes = 0;
    while (static_cast<int32_t>(platform.GetTickCount() - deadline) <= 0 && passes < 100) {
        platform.PumpEvents();
        platform.WaitForEvent(deadline);
        ++passes;
    }
    EXPECT_EQ(platform.GetTickCount(), deadline + 1);
    EXPECT_EQ(passes, 2);
}

TEST_F(HeadlessPlatformTest, ForeverWaitAdvancesToTheNextEventThenEndsTheRun)
{
    platform.ScheduleAfter(5000, InputEvent::Close());
    const uint32_t start = platform.GetTickCount();
    platform.WaitForEventForever();
    EXPECT_EQ(platform.GetTickCount(), start + 5000);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, std::vector<std::string>{"close"});
    try {
        platform.WaitForEventForever();
        FAIL() << "an endless wait with no input left must end the run";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
}

TEST_F(HeadlessPlatformTest, PumpDeliversOnlyDueEventsInOrder)
{
    const uint32_t start = platform.GetTickCount();
    platform.Schedule(start + 20, InputEvent::Click(10, 20, 2));
    platform.Schedule(start + 10, InputEvent::Key(37));
    platform.Schedule(start + 20, InputEvent::Move(5, 6));
    platform.Schedule(start + 30, InputEvent::Minimize());
    platform.AdvanceClock(20);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 37", "click 10 20 2", "move 5 6"}));
    EXPECT_EQ(platform.PendingEvents(), 1u);
}

TEST_F(HeadlessPlatformTest, EventsScheduledInThePastAreDueAtOnce)
{
    platform.AdvanceClock(100);
    platform.Schedule(platform.GetTickCount() - 50, InputEvent::Restore());
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, std::vector<std::string>{"restore"});
}

TEST_F(HeadlessPlatformTest, KeepsOrderAcrossTheClockWrap)
{
    platform.AdvanceClock(0xFFFFFFFFu - platform.GetTickCount() - 10);
    const uint32_t beforeWrap = platform.GetTickCount();
    platform.Schedule(beforeWrap + 30, InputEvent::Key(2));
    platform.Schedule(beforeWrap + 5, InputEvent::Key(1));
    platform.WaitForEvent(beforeWrap + 100);
    EXPECT_EQ(platform.GetTickCount(), beforeWrap + 5);
    platform.PumpEvents();
    platform.WaitForEvent(beforeWrap + 100);
    EXPECT_EQ(platform.GetTickCount(), beforeWrap + 30);
    EXPECT_LT(platform.GetTickCount(), beforeWrap);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 1", "key 2"}));
}

TEST_F(HeadlessPlatformTest, NestedPumpingDeliversEachEventOnce)
{
    // The game pumps from inside its handlers; a later event is then delivered by the inner pump.
    platform.ScheduleAfter(0, InputEvent::Key(13));
    platform.ScheduleAfter(0, InputEvent::Key(27));
    platform.ScheduleAfter(0, InputEvent::Key(32));
    sink.onEvent = [&](const std::string& what) {
        if (what == "key 13")
            platform.PumpEvents();
    };
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"key 13", "key 27", "key 32"}));
}

TEST_F(HeadlessPlatformTest, ExitThrownByTheSinkLeavesTheRestQueued)
{
    platform.ScheduleAfter(0, InputEvent::Close());
    platform.ScheduleAfter(0, InputEvent::Key(13));
    sink.onEvent = [](const std::string& what) {
        if (what == "close")
            throw ProgramExit{3};
    };
    EXPECT_THROW(platform.PumpEvents(), ProgramExit);
    EXPECT_EQ(platform.PendingEvents(), 1u);
    sink.onEvent = nullptr;
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"close", "key 13"}));
}

TEST_F(HeadlessPlatformTest, RecordsPresentsAndMessages)
{
    testing::internal::CaptureStderr();
    platform.MessageBox("Pakaponta", "card.dat がありません");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Pakaponta: card.dat がありません\n");
    EXPECT_EQ(platform.LastMessageTitle(), "Pakaponta");
    EXPECT_EQ(platform.LastMessageText(), "card.dat がありません");
    EXPECT_EQ(platform.PresentCount(), 0);
}

TEST(HeadlessScriptTest, ParsesEveryCommand)
{
    const HeadlessScript script = ParseHeadlessScript("# a run\n"
                                                      "0 key 13\r\n"
                                                      "\n"
                                                      "150 click 147.5 450\n"
                                                      "160 click 10 10 2\n"
                                                      "200 dblclick\n"
                                                      "250 move 400 300\n"
                                                      "300 minimize\n"
                                                      "400 restore\n"
                                                      "900 close\n");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.events.size(), 8u);
    EXPECT_EQ(script.events[0].atMs, 0u);
    EXPECT_EQ(script.events[0].event.code, 13);
    EXPECT_EQ(script.events[1].event.kind, InputEvent::Kind::MouseDown);
    EXPECT_DOUBLE_EQ(script.events[1].event.x, 147.5);
    EXPECT_EQ(script.events[1].event.code, 1);
    EXPECT_EQ(script.events[2].event.code, 2);
    EXPECT_EQ(script.events[3].event.kind, InputEvent::Kind::DblClick);
    EXPECT_EQ(script.events[4].event.kind, InputEvent::Kind::MouseMove);
    EXPECT_TRUE(script.events[5].event.minimized);
    EXPECT_FALSE(script.events[6].event.minimized);
    EXPECT_EQ(script.events[7].event.kind, InputEvent::Kind::Close);
    EXPECT_EQ(script.events[7].atMs, 900u);
}

TEST(HeadlessScriptTest, RejectsMalformedLinesWhole)
{
    for (const char* bad : {"x key 13", "10 key", "10 key 1x", "10 jump", "10 click 5", "10 click 5 5 3",
                            "10 close now", "-5 close"}) {
        const HeadlessScript script = ParseHeadlessScript(std::string("0 key 13\n") + bad + "\n");
        EXPECT_EQ(script.error, std::string("line 2: ") + bad) << bad;
        EXPECT_TRUE(script.events.empty()) << bad;
    }
}

TEST_F(HeadlessPlatformTest, LoadsScriptTimesFromTheStartOfTheRun)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("script_" + std::to_string(getpid()))).string();
    ASSERT_TRUE(FileSystem::WriteFile(path, "20 key 39\n10 click 1 2\n"));
    EXPECT_EQ(platform.LoadScript(path), "");
    platform.WaitForEventForever();
    EXPECT_EQ(platform.GetTickCount(), HeadlessPlatform::StartTick + 10);
    platform.AdvanceClock(10);
    platform.PumpEvents();
    EXPECT_EQ(sink.seen, (std::vector<std::string>{"click 1 2 1", "key 39"}));

    ASSERT_TRUE(FileSystem::WriteFile(path, "20 key\n"));
    EXPECT_NE(platform.LoadScript(path), "");
    EXPECT_EQ(platform.PendingEvents(), 0u);
    FileSystem::RemoveFile(path);
    EXPECT_NE(platform.LoadScript(path), "");
}

} // namespace
