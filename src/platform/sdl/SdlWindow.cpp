#include "platform/Window.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlPlatform.h"

std::unique_ptr<Platform> OpenWindow()
{
    auto sdl = std::make_unique<SdlPlatform>();
    // The mixer opens on the SDL the window started; without a sound device it stays silent.
    sdl->SetAudio(std::make_unique<SdlAudio>());
    return sdl;
}

int ProgramEnded(int status)
{
    return status;
}
