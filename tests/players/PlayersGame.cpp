#include "players/PlayersGame.h"

#include "data/FileLoader.h"
#include "players/Comp.h"
#include "players/PlayerCtrl.h"
#include "screens/Opening.h"
#include "sound/Sounds.h"
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
    game.MakeControllers();
    // No screens and no sound: the end of a game stops after the game-over wait.
    game.opening.reset();
    game.sounds.reset();
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
