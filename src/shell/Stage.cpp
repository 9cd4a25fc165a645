#include "shell/Stage.h"

#include "events/EventCtrl.h"
#include "events/Score.h"
#include "shell/Consts.h"
#include "shell/Game.h"

void Stage::Happened(const Happening& happening)
{
    switch (happening.kind) {
    case Happening::Kind::Event:
        if (game_.eventCtrl)
            game_.eventCtrl->OpenEvent(happening.eventIndex, game_.ruleTables.Text(happening.text),
                                       happening.target, happening.score);
        break;
    case Happening::Kind::Board:
        game_.RepaintBoard();
        game_.RefreshScreen();
        game_.DoEvents();
        break;
    case Happening::Kind::Countdown:
        if (game_.score)
            game_.score->Paint(-1);
        game_.RefreshScreen();
        game_.Wait(game_.GetTickCount(), game_.Paced(game_.consts->TimeBarClear));
        break;
    }
}
