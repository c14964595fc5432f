#pragma once

#include "app/windows/tick_count.h"

#include <cstdint>

// A tick count that moves only when the test moves it, in place for as long
// as it lives.
class ManualClock : public TickCount
{
public:
    explicit ManualClock(uint32_t start = 0) : m_now(start) { TickCount::install(this); }
    ~ManualClock() override { TickCount::install(nullptr); }
    uint32_t milliseconds() const override { return m_now; }

    void advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now;
};
