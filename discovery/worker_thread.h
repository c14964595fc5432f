#pragma once

#include <functional>
#include <memory>

// A job run once on a thread of its own. The owner asks whether the job has
// ended without waiting, and letting go of the owner never waits for the job:
// a job that hangs keeps its thread, and everything the job touches must be
// kept alive by the job itself. Windows builds start the thread with
// CreateThread (the compilers that build what ships have no std::thread);
// every other build uses std::thread.
class WorkerThread
{
public:
    using Job = std::function<void()>;

    // Starts the job at once. When no thread can be started the job never
    // runs and the worker counts as ended.
    static std::unique_ptr<WorkerThread> start(Job job);

    virtual ~WorkerThread() = default;

    // Whether the job has returned. Once true, everything the job wrote is
    // visible to the thread that asked.
    virtual bool ended() const = 0;

protected:
    WorkerThread() = default;
    WorkerThread(const WorkerThread &) = delete;
    WorkerThread &operator=(const WorkerThread &) = delete;
};
