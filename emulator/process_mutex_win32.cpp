#include "emulator/process_mutex.h"

#include <windows.h>

namespace emulator {

struct ProcessMutex::State
{
    CRITICAL_SECTION section;
};

ProcessMutex::ProcessMutex() : m_state(std::make_unique<State>())
{
    InitializeCriticalSection(&m_state->section);
}

ProcessMutex::~ProcessMutex()
{
    DeleteCriticalSection(&m_state->section);
}

void ProcessMutex::lock()
{
    EnterCriticalSection(&m_state->section);
}

void ProcessMutex::unlock()
{
    LeaveCriticalSection(&m_state->section);
}

} // namespace emulator
