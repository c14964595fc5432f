#pragma once

#include <cstdint>

// The error state of the thread that calls an export: errno and, on Windows,
// the thread's last-error value. The library's own work (opening the device,
// failed file or device calls) changes both, and a caller that reads them
// after its own calls must not see ours. Saved on construction, put back on
// destruction.
class CallerErrorState
{
public:
    CallerErrorState();
    ~CallerErrorState();
    CallerErrorState(const CallerErrorState &) = delete;
    CallerErrorState &operator=(const CallerErrorState &) = delete;

private:
    int m_errno;
    uint32_t m_lastError = 0;
};
