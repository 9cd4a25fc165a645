#include "platform/RecordStore.h"
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

std::unique_ptr<RecordStore> OpenPlayerStore()
{
    return nullptr;
}
