#include "shell/FormMain.h"

#include "shell/Game.h"

FormMain::FormMain(Game& game) : game_(game) {}

int FormMain::KeyCommand(int keyCode)
{
    switch (keyCode) {
    case 37:
    case 100:
        return CmdLeft;
    case 38:
    case 104:
        return CmdUp;
    case 39:
    case 102:
        return CmdRight;
    case 40:
    case 98:
        return CmdDown;
    case 13:
    case 32:
    case 101:
        return CmdOk;
    case 8:
    case 27:
        return CmdCancel;
    default:
        return 0;
    }
}

void FormMain::KeyDown(int keyCode)
{
    const int command = KeyCommand(keyCode);
    if (command != 0)
        DoCommand(command);
}

void FormMain::DoCommand(int /*command*/)
{
    // No screen takes commands until the title exists.
}

void FormMain::MouseDown(int /*button*/, double /*x*/, double /*y*/)
{
    lastMoveTick_ = 0;
}

void FormMain::MouseMove(double /*x*/, double /*y*/) {}

void FormMain::DblClick() {}

void FormMain::Paint()
{
    game_.RefreshScreen();
}

void FormMain::Resize(bool /*minimized*/) {}

void FormMain::Unload()
{
    game_.Quit(0);
}
