#pragma once

// Times of the start's phases for the start-up benchmark. A build made with
// VESPERIN_STARTUP_PHASES writes, when the environment variable
// VESPERIN_STARTUP_PHASES_LOG names a file, one line per mark: the phase's
// name and the performance counter at its end. Every other build (the one
// that ships among them) compiles mark() to nothing but a return.
class StartupPhases
{
public:
    // Notes that the phase `name` has ended now.
    static void mark(const char *name);
};
