#include "shell/FormMain.h"

#include "platform/KeyCodes.h"
#include "platform/ProgramExit.h"
#include "screens/Opening.h"
#include "screens/ScreenGame.h"
#include "sound/Sounds.h"

#include <gtest/gtest.h>

namespace {

TEST(FormMainKeys, MapsTheKeyTableAndIgnoresOtherKeys)
{
    using namespace KeyCode;
    const std::pair<int, int> table[] = {
        {Left, CmdLeft},     {Keypad4, CmdLeft},     {Up, CmdUp},         {Keypad8, CmdUp}, {Right, CmdRight},
        {Keypad6, CmdRight}, {Down, CmdDown},        {Keypad2, CmdDown},  {Enter, CmdOk},   {Space, CmdOk},
        {Keypad5, CmdOk},    {Backspace, CmdCancel}, {Escape, CmdCancel}, {H, CmdHint}};
    for (const auto& [key, command] : table)
        EXPECT_EQ(FormMain::KeyCommand(key), command) << "key " << key;
    for (int key : {0, 9, 16, 65, 96, 97, 99, 103, 105, 112})
        EXPECT_EQ(FormMain::KeyCommand(key), 0) << "key " << key;
}

TEST(FormMainHitTest, HandSlotsRunFrom147To774WithTheLastSlotFrom678)
{
    EXPECT_EQ(FormMain::HandSlotAt(146, 500), -1);
    EXPECT_EQ(FormMain::HandSlotAt(146.9, 500), -1);
    EXPECT_EQ(FormMain::HandSlotAt(147, 500), 0);
    // nearest(58.5) is 58 (halves to even), nearest(58.6) is 59.
    EXPECT_EQ(FormMain::HandSlotAt(205.5, 500), 0);
    EXPECT_EQ(FormMain::HandSlotAt(205.6, 500), 1);
    EXPECT_EQ(FormMain::HandSlotAt(677, 500), 8);
    EXPECT_EQ(FormMain::HandSlotAt(677.5, 500), 8);
    EXPECT_EQ(FormMain::HandSlotAt(678, 500), 9);
    EXPECT_EQ(FormMain::HandSlotAt(774, 500), 9);
    EXPECT_EQ(FormMain::HandSlotAt(774.1, 500), -1);
    EXPECT_EQ(FormMain::HandSlotAt(775, 500), -1);
    EXPECT_EQ(FormMain::HandSlotAt(400, 443), -1);
    EXPECT_EQ(FormMain::HandSlotAt(400, 443.5), 4);
    EXPECT_EQ(FormMain::HandSlotAt(400, 597.9), 4);
    EXPECT_EQ(FormMain::HandSlotAt(400, 598), -1);
}

TEST(FormMainHitTest, ThreadRowsAre16PixelsHighFromTheTopOfTheList)
{
    EXPECT_EQ(FormMain::ThreadRowAt(69, 50), -1);
    EXPECT_EQ(FormMain::ThreadRowAt(69.5, 50), 3);
    EXPECT_EQ(FormMain::ThreadRowAt(618.9, 50), 3);
    EXPECT_EQ(FormMain::ThreadRowAt(619, 50), -1);
    EXPECT_EQ(FormMain::ThreadRowAt(300, 2), -1);
    EXPECT_EQ(FormMain::ThreadRowAt(300, 3), 0);
    EXPECT_EQ(FormMain::ThreadRowAt(300, 17.4), 0);
    // nearest(15.5) is 16: the next row.
    EXPECT_EQ(FormMain::ThreadRowAt(300, 17.5), 1);
    // Rows past the board are passed on as computed.
    EXPECT_EQ(FormMain::ThreadRowAt(300, 198.9), 12);
    EXPECT_EQ(FormMain::ThreadRowAt(300, 199), -1);
}

TEST(FormMainHitTest, CommitBoxIsTheUpperRightOfTheSelectedCardBox)
{
    EXPECT_FALSE(FormMain::InCommitBox(62, 460));
    EXPECT_TRUE(FormMain::InCommitBox(62.1, 460));
    EXPECT_TRUE(FormMain::InCommitBox(118.9, 460));
    EXPECT_FALSE(FormMain::InCommitBox(119, 460));
    EXPECT_FALSE(FormMain::InCommitBox(90, 443));
    EXPECT_TRUE(FormMain::InCommitBox(90, 443.1));
    EXPECT_TRUE(FormMain::InCommitBox(90, 482.9));
    EXPECT_FALSE(FormMain::InCommitBox(90, 483));
}

TEST(FormMainTitle, MenuItemsUnderThePointer)
{
    EXPECT_EQ(FormMain::TitleItemAt(403.9, 449.4), 0);
    EXPECT_EQ(FormMain::TitleItemAt(404, 449.4), 1);
    EXPECT_EQ(FormMain::TitleItemAt(100, 449.5), 2);
    EXPECT_EQ(FormMain::TitleItemAt(500, 489.4), 3);
    EXPECT_EQ(FormMain::TitleItemAt(500, 489.5), MenuQuit);
    EXPECT_EQ(FormMain::TitleItemAt(10, 0), 0);
}

TEST(FormMainInput, IsDroppedInTheBusyStatesAndNeverReplayed)
{
    ScreenGame s(false);
    s.ShowTitle();
    for (int state : {StateInit, StateBusy, StateRunning}) {
        s.game.GameState = state;
        const int presents = s.platform.PresentCount();
        for (int key : {KeyCode::Enter, KeyCode::Down, KeyCode::Right, KeyCode::Escape, KeyCode::Space})
            s.platform.ScheduleAfter(0, InputEvent::Key(key));
        s.platform.ScheduleAfter(0, InputEvent::Click(300, 520));
        s.platform.ScheduleAfter(0, InputEvent::DoubleClick());
        s.platform.ScheduleAfter(0, InputEvent::Move(700, 100));
        s.game.DoEvents();
        EXPECT_EQ(s.game.GameState, state);
        EXPECT_EQ(s.game.GameMode, 0);
        EXPECT_EQ(s.platform.PresentCount(), presents);
        EXPECT_EQ(s.platform.PendingEvents(), 0u);
    }
    s.game.GameState = StateTitle;
    s.game.DoEvents();
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(s.game.GameMode, 0);
}

TEST(FormMainInput, AcknowledgementsTakeOnlyOkOrTheLeftButton)
{
    ScreenGame s(false);
    s.game.GameState = StateDeckShow;
    for (int key : {KeyCode::Left, KeyCode::Up, KeyCode::Right, KeyCode::Down, KeyCode::Escape})
        s.Key(key);
    s.game.formMain->MouseDown(2, 400, 300);
    EXPECT_EQ(s.game.GameState, StateDeckShow);
    s.Key(KeyCode::Keypad5);
    EXPECT_EQ(s.game.GameState, StateBusy);
    s.game.GameState = StateDeckShow;
    s.game.formMain->MouseDown(1, 400, 300);
    EXPECT_EQ(s.game.GameState, StateBusy);

    for (int state : {StateGameOver, StateEnding, StateEndScore, StateEndText}) {
        s.game.GameState = state;
        for (int key : {KeyCode::Left, KeyCode::Up, KeyCode::Right, KeyCode::Down, KeyCode::Escape})
            s.Key(key);
        s.game.formMain->MouseDown(2, 400, 300);
        s.game.formMain->MouseDown(4, 400, 300);
        s.game.formMain->DblClick();
        EXPECT_EQ(s.game.GameState, state);
        s.Key(KeyCode::Space);
        EXPECT_EQ(s.game.GameState, StateRunning);
        s.game.GameState = state;
        s.game.formMain->MouseDown(1, 10, 10);
        EXPECT_EQ(s.game.GameState, StateRunning);
    }
}

TEST(FormMainTitle, KeysWalkTheMenuAndWrapThroughTheQuitItem)
{
    ScreenGame s(false);
    s.ShowTitle();
    using namespace KeyCode;
    const std::pair<int, int> walk[] = {
        {Down, 2}, {Down, MenuQuit}, {Down, 0},    {Up, MenuQuit}, {Up, 2},     {Right, 3},
        {Up, 1},   {Up, MenuQuit},   {Right, 4},   {Up, 2},        {Left, 3},   {Down, MenuQuit},
        {Down, 0}, {Escape, 0},      {Keypad8, 4}, {Keypad2, 0},   {Keypad6, 1}};
    for (const auto& [key, mode] : walk) {
        s.Key(key);
        EXPECT_EQ(s.game.GameMode, mode) << "after key " << key;
        EXPECT_EQ(s.game.GameState, StateTitle);
    }
    s.game.formMain->MouseDown(2, 180, 430);
    EXPECT_EQ(s.game.GameState, StateTitle);
    s.game.formMain->MouseDown(1, 180, 430);
    EXPECT_EQ(s.game.GameState, StateSelect);
    EXPECT_EQ(s.game.GameMode, 1);
}

TEST(FormMainTitle, PointerMovesTheCursorToTheItemAfter15Pixels)
{
    ScreenGame s(false);
    s.ShowTitle();
    FormMain& form = *s.game.formMain;
    form.MouseMove(300, 520);
    EXPECT_EQ(s.game.GameMode, MenuQuit);
    form.MouseMove(314.4, 505.6);
    EXPECT_EQ(s.game.GameMode, MenuQuit);
    form.MouseMove(500, 430);
    EXPECT_EQ(s.game.GameMode, 1);
    // 14.5 rounds to 14 (halves to even): still too small a step.
    form.MouseMove(485.5, 444.5);
    EXPECT_EQ(s.game.GameMode, 1);
    form.MouseMove(500, 470);
    EXPECT_EQ(s.game.GameMode, 3);
    form.MouseMove(100, 430);
    EXPECT_EQ(s.game.GameMode, 0);
    form.MouseMove(100, 470);
    EXPECT_EQ(s.game.GameMode, 2);
    form.MouseMove(600, 430);
    EXPECT_EQ(s.game.GameMode, 1);
    form.MouseMove(600, 500);
    EXPECT_EQ(s.game.GameMode, MenuQuit);
    form.MouseMove(600, 470);
    EXPECT_EQ(s.game.GameMode, 3);
    EXPECT_EQ(s.game.GameState, StateTitle);
}

TEST(FormMainTitle, ATapOnQuitOnlyPointsAtItAndADoubleTapQuits)
{
    ScreenGame s(false);
    s.ShowTitle();
    FormMain& form = *s.game.formMain;
    EXPECT_EQ(form.TapTarget(300, 520), form.TapTarget(600, 500));
    EXPECT_EQ(form.TapTarget(100, 430), -1);
    form.Tap(300, 520);
    EXPECT_EQ(s.game.GameMode, MenuQuit);
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_THROW(form.DblClick(), ProgramExit);
}

TEST(FormMainTitle, ATapOnAModeStartsItAsAClickDoes)
{
    ScreenGame s(false);
    s.ShowTitle();
    s.game.formMain->MouseMove(500, 430);
    s.game.formMain->Tap(500, 430);
    EXPECT_EQ(s.game.GameState, StateSelect);
    EXPECT_EQ(s.game.GameMode, 1);
}

TEST(FormMainSelect, ArrowsChooseNameAndColourWithWrapAndEscapeReturns)
{
    ScreenGame s(false);
    s.ShowTitle();
    s.Key(KeyCode::Enter);
    ASSERT_EQ(s.game.GameState, StateSelect);
    const Opening& opening = *s.game.opening;
    s.Key(KeyCode::Left);
    EXPECT_EQ(opening.selectedColor(), 3);
    s.Key(KeyCode::Right);
    s.Key(KeyCode::Right);
    EXPECT_EQ(opening.selectedColor(), 1);
    s.Key(KeyCode::Up);
    EXPECT_EQ(opening.selectedName(), 7);
    s.Key(KeyCode::Down);
    s.Key(KeyCode::Down);
    EXPECT_EQ(opening.selectedName(), 1);
    EXPECT_EQ(s.game.GameState, StateSelect);
    s.Key(KeyCode::Backspace);
    EXPECT_EQ(s.game.GameState, StateTitle);
    s.Key(KeyCode::Enter);
    s.game.formMain->MouseDown(2, 400, 300);
    EXPECT_EQ(s.game.GameState, StateTitle);
    EXPECT_EQ(opening.selectedColor(), 1);
    EXPECT_EQ(opening.selectedName(), 1);
}

TEST(FormMainSelect, DigitsAndClicksChooseTheOpponentsOnlyWhereTheChoiceCounts)
{
    constexpr Color Mark = 0x00B0FF;
    ScreenGame s;
    s.ShowTitle();
    s.Key('1');
    EXPECT_EQ(s.game.opponents, Strength::Standard) << "a digit on the title";
    s.Key(KeyCode::Enter);
    const auto markedOn = [](const ScreenGame& game, Strength opponents) {
        const Rect box = Opening::OpponentsBox(opponents);
        return game.game.PictureMain.Pixel((box.left + box.right) / 2, box.top) == Mark;
    };
    EXPECT_TRUE(markedOn(s, Strength::Standard));
    s.Key('3');
    EXPECT_EQ(s.game.opponents, Strength::Strong);
    EXPECT_TRUE(markedOn(s, Strength::Strong));
    EXPECT_FALSE(markedOn(s, Strength::Standard));
    // A click (or a tap on the page, which arrives as one) on a strength chooses it and starts nothing.
    const Rect weak = Opening::OpponentsBox(Strength::Weak);
    s.game.formMain->MouseDown(1, weak.left, weak.bottom - 0.5);
    EXPECT_EQ(s.game.opponents, Strength::Weak);
    EXPECT_EQ(s.game.GameState, StateSelect);
    s.game.formMain->MouseDown(1, weak.left - 0.5, weak.top);
    EXPECT_EQ(s.game.GameState, StatePlayerTurn) << "a click beside the strengths starts the game";
    EXPECT_EQ(s.game.lineup.OpponentStrength(), Strength::Weak);

    // The daily deal is always against standard opponents: the screen says so and nothing changes it.
    ScreenGame daily;
    daily.game.dailyDate = "2026-12-09";
    daily.ShowTitle();
    daily.Key(KeyCode::Enter);
    daily.game.opponents = Strength::Strong;
    daily.Key('1');
    EXPECT_EQ(daily.game.opponents, Strength::Strong);
    daily.game.opening->PaintSelect();
    EXPECT_TRUE(markedOn(daily, Strength::Standard));
}

TEST(FormMainSelect, GestureNeedsMoreThan100MsAnd20Pixels)
{
    ScreenGame s(false);
    s.ShowTitle();
    s.Key(KeyCode::Enter);
    FormMain& form = *s.game.formMain;
    const Opening& opening = *s.game.opening;
    form.MouseMove(400, 300);
    s.platform.AdvanceClock(100);
    form.MouseMove(440, 340);
    EXPECT_EQ(opening.selectedColor(), 0);
    EXPECT_EQ(opening.selectedName(), 0);
    s.platform.AdvanceClock(1);
    form.MouseMove(430, 319);
    EXPECT_EQ(opening.selectedColor(), 1);
    EXPECT_EQ(opening.selectedName(), 0);
    s.platform.AdvanceClock(101);
    form.MouseMove(410, 299);
    EXPECT_EQ(opening.selectedColor(), 0);
    EXPECT_EQ(opening.selectedName(), 7);
    s.platform.AdvanceClock(101);
    // 19.5 rounds to 20: a step.
    form.MouseMove(390.5, 278.4);
    EXPECT_EQ(opening.selectedColor(), 3);
    EXPECT_EQ(opening.selectedName(), 6);

    // A button press starts a new gesture: the next movement is only recorded.
    form.MouseDown(2, 390, 278);
    s.Key(KeyCode::Enter);
    ASSERT_EQ(s.game.GameState, StateSelect);
    s.platform.AdvanceClock(500);
    form.MouseMove(100, 100);
    EXPECT_EQ(opening.selectedColor(), 3);
    EXPECT_EQ(opening.selectedName(), 6);
}

TEST(FormMainWindow, ClosingDuringAGameEndsTheProgramWithStatusZero)
{
    ScreenGame s(false);
    s.ShowTitle();
    s.Key(KeyCode::Enter);
    s.platform.ScheduleAfter(2500, InputEvent::Close());
    s.platform.ScheduleAfter(2500, InputEvent::Key(KeyCode::Enter));
    const uint32_t closedAt = s.platform.GetTickCount() + 2500;
    try {
        s.Key(KeyCode::Enter);
        FAIL() << "the game went on after the window closed";
    } catch (const ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
    EXPECT_EQ(s.platform.GetTickCount(), closedAt);
    EXPECT_EQ(s.game.sounds, nullptr);
}

TEST(FormMainWindow, ClosingWhileLoadingEndsTheProgramToo)
{
    TestGame t(false);
    FormMain form(t.game);
    EXPECT_THROW(form.Unload(), ProgramExit);
    form.Resize(true);
}

} // namespace
