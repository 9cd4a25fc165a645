#include "screens/ScreenGame.h"

#include "board/ThreadCtrl.h"
#include "data/FileLoader.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "platform/ProgramExit.h"
#include "players/CardCtrl.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "shell/FormMain.h"
#include "sound/Sounds.h"

ScreenGame::ScreenGame(bool draw, uint64_t seed) : t(draw, seed), game(t.game), platform(t.platform)
{
    t.LoadFixtureData();
    game.formMain = std::make_unique<FormMain>(game);
    platform.SetEventSink(game.formMain.get());
    game.fileLoader = std::make_unique<FileLoader>(game);
    game.consts = std::make_unique<Consts>(game);
    game.threadCtrl = std::make_unique<ThreadCtrl>(game);
    game.cardCtrl = std::make_unique<CardCtrl>(game);
    game.playerCtrl = std::make_unique<PlayerCtrl>(game);
    game.border = std::make_unique<Border>();
    game.eventCtrl = std::make_unique<EventCtrl>(game);
    game.comp = std::make_unique<Comp>(game);
    game.opening = std::make_unique<Opening>(game);
    game.sounds = std::make_unique<Sounds>(game);
    game.score = std::make_unique<Score>(game);
    game.threadCtrl->ClassInit(&game.PictureTemp);
    game.cardCtrl->ClassInit(&game.PictureMask, &game.PictureRainbow);
    game.playerCtrl->ClassInit(&game.PictureMain, &game.PictureTemp2, &game.PicturePencil);
    game.playerCtrl->CharacterInit(0, 0);
    game.eventCtrl->ClassInit(&game.PictureMain, &game.PictureTemp2);
    game.score->ClassInit(&game.PictureMain);
    game.opening->ClassInit(&game.PictureMain, &game.PictureTemp);
}

void ScreenGame::ShowTitle()
{
    game.opening->GotoOpening();
}

void ScreenGame::Key(int keyCode)
{
    game.formMain->KeyDown(keyCode);
}

bool ScreenGame::RunUntilWaitIn(int state)
{
    bool reached = false;
    game.onInputWait = [&](int waitingIn) {
        if (waitingIn == state) {
            reached = true;
            throw ProgramExit{0};
        }
    };
    try {
        game.Run();
    } catch (const ProgramExit&) {
    }
    game.onInputWait = nullptr;
    return reached;
}
