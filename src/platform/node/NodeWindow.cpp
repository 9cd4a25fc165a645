#include "platform/Window.h"

#include <stdexcept>

std::unique_ptr<Platform> OpenWindow()
{
    throw std::runtime_error("Node shows no window: run with --headless.");
}

int ProgramEnded(int status)
{
    return status;
}
