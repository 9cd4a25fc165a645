#include "platform/StartupLog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace StartupLog {

void Mark(const char* what)
{
    static const bool enabled = std::getenv("PAKAPONTA_STARTUP_LOG") != nullptr;
    if (!enabled)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "pakaponta: %s %.3f\n", what,
                 std::chrono::duration<double, std::milli>(now).count());
}

} // namespace StartupLog
