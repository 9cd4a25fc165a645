#include "players/PlayersGame.h"

#include "board/ThreadCtrl.h"
#include "data/FileLoader.h"
#include "events/EventCtrl.h"
#include "events/Score.h"
#include "players/CardCtrl.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "shell/Border.h"
#include "shell/Consts.h"
#include "support/TestGame.h"

void WatchedPlatform::Present(const Picture& picture)
{
    HeadlessPlatform::Present(picture);
    if (onPresent)
        onPresent();
}

PlayersGame::PlayersGame(bool draw, uint64_t seed)
    : game(platform, draw ? &SharedFonts() : nullptr, seed, true, "/nonexistent/")
{
    TestGame fixture(false);
    fixture.LoadFixtureData();
    game.cardDefs = fixture.game.cardDefs;
    game.specialTexts = fixture.game.specialTexts;
    game.PublicRes = fixture.game.PublicRes;
    game.PublicResMax = fixture.game.PublicResMax;
    game.ThreadTexts = fixture.game.ThreadTexts;
    game.PlayerNames = fixture.game.PlayerNames;

    game.fileLoader = std::make_unique<FileLoader>(game);
    game.consts = std::make_unique<Consts>(game);
    game.threadCtrl = std::make_unique<ThreadCtrl>(game);
    game.cardCtrl = std::make_unique<CardCtrl>(game);
    game.playerCtrl = std::make_unique<PlayerCtrl>(game);
    game.border = std::make_unique<Border>();
    game.eventCtrl = std::make_unique<EventCtrl>(game);
    game.comp = std::make_unique<Comp>(game);
    game.score = std::make_unique<Score>(game);
    game.threadCtrl->ClassInit(&game.PictureTemp);
    game.cardCtrl->ClassInit(&game.PictureMask, &game.PictureRainbow);
    game.playerCtrl->ClassInit(&game.PictureMain, &game.PictureTemp2, &game.PicturePencil);
    game.playerCtrl->CharacterInit(0, 0);
    game.eventCtrl->ClassInit(&game.PictureMain, &game.PictureTemp2);
    game.score->ClassInit(&game.PictureMain);
}

void PlayersGame::StartGame(int mode)
{
    game.GameMode = mode;
    players().CharacterInit(0, 0);
    players().GamePlayInit();
    players().GamePlayStart();
    game.LastCardWait = 0;
}

bool PlayersGame::PlayHumanAsComputer()
{
    const int32_t best = game.comp->GetBestCard(0);
    players().MoveCurrentThreadDirect(0, best / 10);
    players().MoveCurrentCardDirect(0, best % 10);
    return players().CardCommit(0);
}
