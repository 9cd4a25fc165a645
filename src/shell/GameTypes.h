#pragma once

#include "rules/RuleConstants.h"

#include <array>
#include <string>

// What the window waits for; every screen hands over to the next through this value.
constexpr int StateInit = 0;
constexpr int StateBusy = 10;
constexpr int StateTitle = 20;
constexpr int StateSelect = 30;
constexpr int StateDeckShow = 40;
constexpr int StatePlayerTurn = 50;
constexpr int StateRunning = 60;
constexpr int StateGameOver = 70;
constexpr int StateEnding = 80;
constexpr int StateEndScore = 90;
constexpr int StateEndText = 100;

constexpr bool IsGameState(int state)
{
    return state >= StateInit && state <= StateEndText && state % 10 == 0;
}

// On the title the low three bits of GameMode are the menu cursor.
constexpr int MenuQuit = 4;

// The opponents' strengths as the screens name them, in the order of Strength.
constexpr std::array<const char*, 3> StrengthLabels = {"弱い", "普通", "強い"};
// The colours' names by code: 0 the rainbow, then the thread colours 1..3, 4 the special cards'.
constexpr std::array<const char*, 5> ColourNames = {"虹", "赤", "緑", "青", "黄"};
// The paces a player may choose, in percent of the usual pauses.
constexpr std::array<int, 3> Paces = {100, 50, 25};
constexpr bool IsPace(int pace)
{
    return pace == Paces[0] || pace == Paces[1] || pace == Paces[2];
}

// Commands that keys and most mouse actions are reduced to.
constexpr int CmdLeft = 1;
constexpr int CmdUp = 2;
constexpr int CmdRight = 3;
constexpr int CmdDown = 4;
constexpr int CmdOk = 5;
constexpr int CmdCancel = 6;
// Only in the player's turn: the cursors go to the computer player's choice for the seat.
constexpr int CmdHint = 7;

// Music kinds for Sounds::playBGM.
constexpr int BgmStop = 0;
constexpr int BgmGame = 21;
constexpr int BgmEnding = 22;

constexpr int PictureWidth = 808;
constexpr int PictureHeight = 630;

struct ThreadText {
    std::string Title;
    std::string PosterName;
    std::string Body;
    std::array<std::string, 20> Responses;
};
