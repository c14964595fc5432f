#include "app/windows/timer.h"

#include "app/windows/window.h"

#include <algorithm>

namespace {

int runningTimers = 0;

} // namespace

Timer::Timer(Window &owner, UINT interval)
    : m_owner(owner), m_id(owner.m_timers.size() + 1), m_interval(interval)
{
    // Ids stay unique among the window's timers even after one went.
    for (const Timer *other : owner.m_timers)
        m_id = std::max(m_id, other->m_id + 1);
    owner.m_timers.push_back(this);
}

Timer::~Timer()
{
    stop();
    auto &timers = m_owner.m_timers;
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled)
        start();
    else
        stop();
}

void Timer::SetInterval(UINT interval)
{
    m_interval = interval;
    if (m_enabled)
        start();
}

int Timer::running()
{
    return runningTimers;
}

void Timer::start()
{
    if (!m_owner.Handle())
        return;
    // SetTimer with the same id replaces the running period.
    SetTimer(m_owner.Handle(), m_id, m_interval, nullptr);
    if (!m_enabled)
        ++runningTimers;
    m_enabled = true;
}

void Timer::stop()
{
    if (!m_enabled)
        return;
    if (m_owner.Handle())
        KillTimer(m_owner.Handle(), m_id);
    m_enabled = false;
    --runningTimers;
}

void Timer::fire()
{
    if (m_enabled && OnTimer)
        OnTimer();
}
