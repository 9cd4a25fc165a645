#include "screens/Opening.h"

#include "board/Palette.h"
#include "platform/ProgramExit.h"
#include "screens/ScreenGame.h"
#include "shell/FormMain.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr Color Black = 0x000000;
constexpr Color White = 0xFFFFFF;
constexpr Color Cursor = 0x00B0FF;

// A point well inside the arrow's shaft, drawn from the item's origin.
Point CursorProbe(int item)
{
    static constexpr Point Origins[5] = {{150, 420}, {450, 420}, {150, 460}, {450, 460}, {300, 500}};
    return {Origins[item].x + 5, Origins[item].y + 20};
}

std::vector<Color> Region(const Picture& pic, int left, int top, int right, int bottom)
{
    std::vector<Color> pixels;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            pixels.push_back(pic.Pixel(x, y));
    return pixels;
}

void PressOnQuit(ScreenGame& s, int key, int times)
{
    for (int i = 0; i < times; ++i)
        s.Key(key);
}

TEST(OpeningSchedule, EndingStepsFallAtTheirOffsets)
{
    ScreenGame s(false);
    const auto& schedule = s.game.opening->endingSchedule();
    EXPECT_EQ(schedule[0], 240);
    EXPECT_EQ(schedule[7], 1920);
    EXPECT_EQ(schedule[8], 4020);
    EXPECT_EQ(schedule[16], 7800);
    EXPECT_EQ(schedule[31], 13260);
    EXPECT_EQ(schedule[32], 14860);
    EXPECT_EQ(schedule[33], 15360);
    EXPECT_EQ(schedule[34], 16305);
    EXPECT_EQ(schedule[35], 22920);
    EXPECT_EQ(schedule[53], 90960);
    EXPECT_EQ(schedule[54], 91905);
}

TEST(OpeningTitle, GotoOpeningZoomsOnceMasksTheModeAndClearsTheExtraSwitch)
{
    ScreenGame s;
    s.game.GameMode = ModeExtra + ModeHarsh + ModeDeck;
    const uint32_t before = s.platform.GetTickCount();
    const int presents = s.platform.PresentCount();
    s.ShowTitle();
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(s.game.GameMode, 3);
    EXPECT_EQ(s.game.opening->extraCount(), 0);
    // 21 zoom frames of 25 ms each, then the finished title.
    EXPECT_GE(s.platform.GetTickCount() - before, 21u * 25u);
    EXPECT_EQ(s.platform.PresentCount() - presents, 22);

    const uint32_t afterZoom = s.platform.GetTickCount();
    s.Key(KeyCode::Up);
    EXPECT_EQ(s.platform.GetTickCount(), afterZoom);
    EXPECT_EQ(s.game.GameMode, 1);
}

TEST(OpeningTitle, PaintsTheMenuOnBlackWithTheOrangeCursorOnTheCurrentItem)
{
    ScreenGame s;
    s.ShowTitle();
    const Picture& pic = s.game.PictureMain;
    EXPECT_EQ(pic.Pixel(5, 5), Black);
    EXPECT_EQ(pic.Pixel(199, 154), White);
    EXPECT_EQ(pic.Pixel(600, 405), White);
    EXPECT_EQ(pic.Pixel(197, 154), Black);
    EXPECT_EQ(pic.Pixel(603, 405), Black);

    const std::pair<int, int> walk[] = {
        {0, 0}, {KeyCode::Right, 1}, {KeyCode::Down, 3}, {KeyCode::Left, 2}, {KeyCode::Down, MenuQuit}};
    for (const auto& [key, item] : walk) {
        if (key != 0)
            s.Key(key);
        ASSERT_EQ(s.game.GameMode, item);
        for (int other = 0; other < 5; ++other) {
            const Point p = CursorProbe(other);
            EXPECT_EQ(pic.Pixel(p.x, p.y), other == item ? Cursor : Black) << "cursor on " << item;
        }
    }
}

TEST(OpeningTitle, FiveRightsOnTheQuitItemSwitchToExtraAndLeftSwitchesBack)
{
    ScreenGame s;
    s.ShowTitle();
    const Picture& pic = s.game.PictureMain;
    s.Key(KeyCode::Right);
    s.Key(KeyCode::Right);
    EXPECT_EQ(s.game.opening->extraCount(), 0);
    s.Key(KeyCode::Up);
    ASSERT_EQ(s.game.GameMode, MenuQuit);
    const std::vector<Color> normal = Region(pic, 0, 0, 808, 630);

    PressOnQuit(s, KeyCode::Right, 4);
    EXPECT_EQ(s.game.opening->extraCount(), 4);
    EXPECT_EQ(Region(pic, 0, 0, 808, 630), normal);
    s.Key(KeyCode::Right);
    EXPECT_EQ(s.game.opening->extraCount(), 5);
    const std::vector<Color> extra = Region(pic, 0, 0, 808, 630);
    EXPECT_NE(extra, normal);
    PressOnQuit(s, KeyCode::Right, 3);
    EXPECT_EQ(s.game.opening->extraCount(), 5);
    EXPECT_EQ(Region(pic, 0, 0, 808, 630), extra);
    // Moving around the menu keeps the switch; left on a mode item is a column change only.
    s.Key(KeyCode::Down);
    s.Key(KeyCode::Left);
    s.Key(KeyCode::Up);
    EXPECT_EQ(s.game.GameMode, MenuQuit);
    EXPECT_EQ(s.game.opening->extraCount(), 5);
    s.Key(KeyCode::Left);
    EXPECT_EQ(s.game.opening->extraCount(), 0);
    EXPECT_EQ(Region(pic, 0, 0, 808, 630), normal);
}

TEST(OpeningTitle, OkOnAModeWithTheExtraSwitchStartsTheSelectionOfAnExtraGame)
{
    ScreenGame s;
    s.ShowTitle();
    s.Key(KeyCode::Down);
    s.Key(KeyCode::Right);
    s.Key(KeyCode::Enter);
    ASSERT_EQ(s.game.GameState, StateSelect);
    EXPECT_EQ(s.game.GameMode, 3);
    const std::vector<Color> plainModeLine = Region(s.game.PictureMain, 250, 538, 808, 560);
    s.Key(KeyCode::Escape);
    ASSERT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(s.game.GameMode, 3);

    s.Key(KeyCode::Down);
    PressOnQuit(s, KeyCode::Right, 5);
    s.Key(KeyCode::Up);
    s.Key(KeyCode::Right);
    ASSERT_EQ(s.game.GameMode, 3);
    s.Key(KeyCode::Enter);
    ASSERT_EQ(s.game.GameState, StateSelect);
    EXPECT_EQ(s.game.GameMode, ModeExtra + 3);
    EXPECT_NE(Region(s.game.PictureMain, 250, 538, 808, 560), plainModeLine);

    // Back on the title the Extra game is forgotten, the mode stays under the cursor.
    s.Key(KeyCode::Escape);
    EXPECT_EQ(s.game.GameMode, 3);
    EXPECT_EQ(s.game.opening->extraCount(), 0);
}

TEST(OpeningSelect, NamePlateTakesTheChosenColour)
{
    ScreenGame s;
    s.ShowTitle();
    s.Key(KeyCode::Enter);
    const Picture& pic = s.game.PictureMain;
    for (int colour : {0, 1, 2, 3}) {
        ASSERT_EQ(s.game.opening->selectedColor(), colour);
        EXPECT_EQ(pic.Pixel(400, 300), Palette::PlayerFill(colour)) << "colour " << colour;
        EXPECT_EQ(pic.Pixel(400, 240), Palette::PlayerOutline(colour)) << "colour " << colour;
        EXPECT_EQ(pic.Pixel(400, 235), Black);
        s.Key(KeyCode::Right);
    }
    EXPECT_EQ(s.game.opening->selectedColor(), 0);
}

TEST(OpeningTitle, OkOnTheQuitItemEndsTheProgramAtOnce)
{
    ScreenGame s(false);
    s.ShowTitle();
    s.Key(KeyCode::Up);
    ASSERT_EQ(s.game.GameMode, MenuQuit);
    try {
        s.Key(KeyCode::Enter);
        FAIL() << "the program did not end";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
}

} // namespace
