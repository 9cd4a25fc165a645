#pragma once

// Thrown to end the program from any depth of nested waits; main catches it and returns status.
struct ProgramExit {
    int status = 0;
};
