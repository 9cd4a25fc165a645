#include "platform/Window.h"
#include "platform/web/WebAudio.h"
#include "platform/web/WebPlatform.h"

std::unique_ptr<Platform> OpenWindow()
{
    return std::make_unique<WebPlatform>(std::make_unique<WebAudio>());
}
