#include "platform/Window.h"
#include "platform/web/WebAudio.h"
#include "platform/web/WebPlatform.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, pakaponta_ended, (int status), {
    if (Module['onExit'])
        Module['onExit'](status);
});
// clang-format on

} // namespace

std::unique_ptr<Platform> OpenWindow()
{
    return std::make_unique<WebPlatform>(std::make_unique<WebAudio>());
}

int ProgramEnded(int status)
{
    // A main that has slept once returns to no one: the page learns of the end from here instead.
    if (WebPlatform::HasSlept())
        pakaponta_ended(status);
    return status;
}
