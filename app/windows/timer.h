#pragma once

#include <windows.h>

#include <functional>

class Window;

// A window-message timer (SetTimer) of one window, off until enabled.
// Changing the interval of a running timer starts its period anew.
class Timer
{
public:
    Timer(Window &owner, UINT interval);
    ~Timer();
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return m_interval; }
    void SetInterval(UINT interval);

    std::function<void()> OnTimer;

    // How many timers of the program run now: none while it is idle.
    static int running();

private:
    friend class Window;
    UINT_PTR id() const { return m_id; }
    void fire();
    void start();
    void stop();

    Window &m_owner;
    UINT_PTR m_id;
    UINT m_interval;
    bool m_enabled = false;
};
