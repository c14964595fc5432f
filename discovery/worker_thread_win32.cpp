#include "discovery/worker_thread.h"

#include <windows.h>

namespace {

DWORD WINAPI runJob(LPVOID parameter)
{
    // The thread owns its job: the owner may be gone long before it returns.
    const std::unique_ptr<WorkerThread::Job> job(static_cast<WorkerThread::Job *>(parameter));
    (*job)();
    return 0;
}

class Win32WorkerThread final : public WorkerThread
{
public:
    explicit Win32WorkerThread(Job job)
    {
        auto owned = std::make_unique<Job>(std::move(job));
        m_thread = CreateThread(nullptr, 0, runJob, owned.get(), 0, nullptr);
        if (m_thread)
            owned.release();
    }

    // Closing the handle lets the thread run on by itself; it never waits.
    ~Win32WorkerThread() override
    {
        if (m_thread)
            CloseHandle(m_thread);
    }

    // The thread's handle is signalled once the thread has returned, and
    // waiting on it makes the thread's writes visible.
    bool ended() const override
    {
        return !m_thread || WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
    }

private:
    HANDLE m_thread = nullptr;
};

} // namespace

std::unique_ptr<WorkerThread> WorkerThread::start(Job job)
{
    return std::make_unique<Win32WorkerThread>(std::move(job));
}
