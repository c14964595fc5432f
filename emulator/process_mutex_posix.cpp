#include "emulator/process_mutex.h"

#include <mutex>

namespace emulator {

struct ProcessMutex::State
{
    std::mutex mutex;
};

ProcessMutex::ProcessMutex() : m_state(std::make_unique<State>()) {}

ProcessMutex::~ProcessMutex() = default;

void ProcessMutex::lock()
{
    m_state->mutex.lock();
}

void ProcessMutex::unlock()
{
    m_state->mutex.unlock();
}

} // namespace emulator
