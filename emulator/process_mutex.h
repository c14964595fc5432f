#pragma once

#include <memory>

namespace emulator {

// A lock between the threads of one process. POSIX builds hold a std::mutex;
// Windows builds a CRITICAL_SECTION, since the C++ library of the compilers
// that build what ships has no std::mutex.
class ProcessMutex
{
public:
    ProcessMutex();
    ~ProcessMutex();
    ProcessMutex(const ProcessMutex &) = delete;
    ProcessMutex &operator=(const ProcessMutex &) = delete;

    void lock();
    void unlock();

    // Holds the lock for its own lifetime.
    class Guard
    {
    public:
        explicit Guard(ProcessMutex &mutex) : m_mutex(mutex) { m_mutex.lock(); }
        ~Guard() { m_mutex.unlock(); }
        Guard(const Guard &) = delete;
        Guard &operator=(const Guard &) = delete;

    private:
        ProcessMutex &m_mutex;
    };

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace emulator
