#include "discovery/worker_thread.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace {

class StdWorkerThread final : public WorkerThread
{
public:
    explicit StdWorkerThread(Job job) : m_ended(std::make_shared<std::atomic<bool>>(false))
    {
        try {
            // The thread holds its own share of the end flag: it may outlive
            // this object.
            m_thread = std::thread([job = std::move(job), ended = m_ended] {
                job();
                ended->store(true, std::memory_order_release);
            });
        } catch (const std::system_error &) {
            m_ended->store(true, std::memory_order_release);
        }
    }

    ~StdWorkerThread() override
    {
        if (!m_thread.joinable())
            return;
        // A job that has returned only has its thread's exit left: joining
        // costs nothing. One that has not may hang, so it is let go.
        if (ended())
            m_thread.join();
        else
            m_thread.detach();
    }

    bool ended() const override { return m_ended->load(std::memory_order_acquire); }

private:
    std::shared_ptr<std::atomic<bool>> m_ended;
    std::thread m_thread;
};

} // namespace

std::unique_ptr<WorkerThread> WorkerThread::start(Job job)
{
    return std::make_unique<StdWorkerThread>(std::move(job));
}
