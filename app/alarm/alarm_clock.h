#pragma once

#include <ctime>

// Where the alarm code reads the time of day. The program uses the system
// clock; tests install a clock of their own so that "now" is fixed.
class AlarmClock
{
public:
    virtual ~AlarmClock() = default;
    virtual std::time_t now() const = 0;

    // The clock now in use: the system's, unless a test installed another.
    static const AlarmClock &current();
    // Installs `clock` (not owned; null restores the system's clock).
    static void install(const AlarmClock *clock);
};
