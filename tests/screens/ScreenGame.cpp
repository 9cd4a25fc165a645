#include "screens/ScreenGame.h"

#include "data/FileLoader.h"
#include "platform/ProgramExit.h"
#include "screens/Opening.h"
#include "shell/FormMain.h"

ScreenGame::ScreenGame(bool draw, uint64_t seed) : t(draw, seed), game(t.game), platform(t.platform)
{
    t.LoadFixtureData();
    game.formMain = std::make_unique<FormMain>(game);
    platform.SetEventSink(game.formMain.get());
    game.fileLoader = std::make_unique<FileLoader>(game);
    game.MakeControllers();
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
