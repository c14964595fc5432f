#pragma once

#include <cstdint>

// The system's tick count in milliseconds, which wraps after 49.7 days.
// Tests install their own clock to run long timings at once.
class TickCount
{
public:
    virtual ~TickCount() = default;
    virtual uint32_t milliseconds() const = 0;

    // The clock in use: the system's unless another one was installed.
    static const TickCount &current();
    // Puts `clock` in place (not owned); nullptr brings the system's back.
    static void install(const TickCount *clock);
    static uint32_t now() { return current().milliseconds(); }
};
