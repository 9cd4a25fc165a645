#pragma once

// Start-up timing for tools/measure-startup.py: with PAKAPONTA_STARTUP_LOG set in the environment,
// prints "pakaponta: <what> <ms>" to standard error, ms read from the monotonic clock that the
// script also reads just before it starts the program. Silent otherwise.
namespace StartupLog {

void Mark(const char* what);

} // namespace StartupLog
