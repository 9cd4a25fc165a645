#pragma once

#include "platform/Platform.h"

#include <memory>

// The platform of a run that the player sees and hears: the desktop window, or the web page's
// canvas. Throws std::runtime_error when there is no such thing to open.
std::unique_ptr<Platform> OpenWindow();

// The program has ended with status: tells whoever started it, where main's return does not reach
// them, and gives status back for main to return.
int ProgramEnded(int status);
