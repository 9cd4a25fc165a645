#include "shell/Game.h"

#include "board/Palette.h"
#include "board/ThreadCtrl.h"
#include "data/FileLoader.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "platform/Platform.h"
#include "platform/ProgramExit.h"
#include "players/CardCtrl.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Artwork.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/FormMain.h"
#include "shell/Narrator.h"
#include "sound/Sounds.h"
#include "text/IniFile.h"

Game::Game(Platform& platformIn, FontEngine* fonts, uint64_t seed, bool fixedSeed, std::string appPath)
    : platform(platformIn), PictureMain(fonts, PictureWidth, PictureHeight),
      PictureTemp(fonts, PictureWidth, PictureHeight), PictureTemp2(fonts, PictureWidth, PictureHeight),
      PicturePencil(fonts, 46, 23), PictureAuthor(fonts, 200, 40), PictureMask(fonts, 85, 16),
      PictureRainbow(fonts, 85, 16), appPath_(std::move(appPath))
{
    match.rng = Rng(seed, fixedSeed);
    rules.Watch(&stage_);
}

Game::~Game()
{
    platform.SetEventSink(nullptr);
}

void Game::Start()
{
    GameState = StateInit;
    GameMode = 0;

    formMain = std::make_unique<FormMain>(*this);
    platform.SetEventSink(formMain.get());

    PictureMain.SetForeColor(Palette::White);
    PictureMain.SetFontSize(16);
    PictureMain.BitBlt(0, 0, PictureMain.Width(), PictureMain.Height(), nullptr, 0, 0, RasterOp::Blackness);
    PictureMain.TextOutA(600, 550, "Now Loading…", 13);
    platform.ShowWindow();
    RefreshScreen();
    PaintArtwork(*this);

    fileLoader = std::make_unique<FileLoader>(*this);
    fileLoader->DataLoad();
    fileLoader->ThreadPublicLoad();
    fileLoader->NameLoad();

    MakeControllers();
    opening->GotoOpening();
}

void Game::UpdateRuleTables()
{
    ruleTables = RuleTables(cardDefs, specialTexts);
}

void Game::MakeControllers()
{
    UpdateRuleTables();
    consts = std::make_unique<Consts>(*this);
    threadCtrl = std::make_unique<ThreadCtrl>(*this);
    cardCtrl = std::make_unique<CardCtrl>(*this);
    playerCtrl = std::make_unique<PlayerCtrl>(*this);
    border = std::make_unique<Border>();
    eventCtrl = std::make_unique<EventCtrl>(*this);
    comp = std::make_unique<Comp>(*this);
    opening = std::make_unique<Opening>(*this);
    sounds = std::make_unique<Sounds>(*this);
    score = std::make_unique<Score>(*this);

    threadCtrl->ClassInit(&PictureTemp);
    cardCtrl->ClassInit(&PictureMask, &PictureRainbow);
    playerCtrl->ClassInit(&PictureMain, &PictureTemp2, &PicturePencil);
    playerCtrl->CharacterInit(0, 0);
    eventCtrl->ClassInit(&PictureMain, &PictureTemp2);
    score->ClassInit(&PictureMain);
    opening->ClassInit(&PictureMain, &PictureTemp);
}

void Game::Run()
{
    for (;;)
        AwaitInput([] { return true; });
}

void Game::RefreshScreen()
{
    platform.Present(PictureMain);
}

void Game::RepaintBoard()
{
    // The simulator draws nothing; a repaint per move would otherwise cost it half its time.
    if (!PictureMain.Drawing())
        return;
    const int cur = playerCtrl->GetCurrentPlayer();
    const bool humanOnTurn = cur == 0;
    const bool enable = humanOnTurn && playerCtrl->IsEnable(0);
    PictureMain.Clear();
    border->PaintBoard(PictureMain);
    border->PaintCardArea(PictureMain, enable);
    playerCtrl->PaintScore();
    threadCtrl->Paint(PictureMain, cur);
    if (humanOnTurn)
        playerCtrl->PaintCard(0);
    else
        playerCtrl->PaintCard2(0);
}

std::string Game::ReadIni(std::string_view section, std::string_view key) const
{
    return ReadIniValue(appPath_ + "resource.ini", section, key);
}

uint32_t Game::GetTickCount()
{
    return platform.GetTickCount();
}

void Game::Wait(uint32_t startTick, int ms, const std::function<bool()>& answered)
{
    const uint32_t last = startTick + static_cast<uint32_t>(ms);
    for (;;) {
        platform.PumpEvents();
        if (answered && answered())
            return;
        // Wrap-safe: the pause ends once the clock has passed startTick + ms.
        if (static_cast<int32_t>(platform.GetTickCount() - last) > 0)
            return;
        platform.WaitForEvent(last + 1);
    }
}

void Game::NotifyEvent(int32_t eventIndex, const std::string& eventString, int32_t eventTarget,
                       int32_t eventScore)
{
    if (onEvent)
        onEvent(eventIndex, eventString, eventTarget, eventScore);
    if (narrator)
        narrator->PopUp(eventIndex, eventString, eventTarget, eventScore);
}

void Game::NotifyCardCommit(const CardPlay& play, bool after)
{
    if (onCardCommit)
        onCardCommit(play, after);
    // A card is said as it goes; the scores it changed once it has been paid.
    if (narrator && after)
        narrator->Update();
    else if (narrator)
        narrator->Played(play);
}

void Game::DoEvents()
{
    platform.PumpEvents();
}

void Game::Breathe()
{
    platform.Breathe();
}

void Game::AwaitInput(const std::function<bool()>& stillWaiting, std::optional<uint32_t> deadline)
{
    while (stillWaiting()) {
        if (onInputWait)
            onInputWait(GameState);
        if (!stillWaiting())
            return;
        platform.PumpEvents();
        if (!stillWaiting())
            return;
        // Said before the wait, so that what the last input changed is heard at once.
        if (narrator)
            narrator->Update();
        if (deadline) {
            if (static_cast<int32_t>(platform.GetTickCount() - *deadline) > 0)
                return;
            platform.WaitForEvent(*deadline + 1);
        } else {
            platform.WaitForEventForever();
        }
    }
}

Lineup Game::DealtLineup() const
{
    const bool daily = !dealDate.empty();
    Lineup dealt = Lineup::Opponents(daily ? Strength::Standard : opponents, Lineup::SeedFor(rng));
    for (int seat = 0; seat < PlayerCount; ++seat) {
        if (seatOverrides[seat] && (seat == 0 || !daily))
            dealt.seats[seat] = *seatOverrides[seat];
    }
    return dealt;
}

int32_t Game::PostDate()
{
    // The local calendar written as if it were UTC: minutes that show the local date and time
    // wherever and whenever they are formatted again.
    const std::time_t stamp = now();
    std::tm local{};
    localtime_r(&stamp, &local);
    const std::time_t asUtc = timegm(&local);
    return static_cast<int32_t>(asUtc >= 0 ? asUtc / 60 : (asUtc - 59) / 60);
}

void Game::Quit(int status)
{
    throw ProgramExit{status};
}
