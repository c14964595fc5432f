#pragma once

#include "discovery/ide_devices.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class WorkerThread;

// The search for the CD drives on the IDE channels, run once at program start
// on a worker thread of its own: on Windows the management instrumentation
// answers slowly, and the window thread keeps painting the waiting window
// meanwhile. The worker touches no window; it leaves the table and the drive
// letters in a record it shares with this object, which the window thread
// reads once it has seen the worker end. Nothing is touched by both while the
// worker runs, so nothing is locked. The record outlives this object when the
// search does: the program can end while the management instrumentation
// still keeps the worker.
class DriveSearch
{
public:
    // Fills the table; answers the discovery's result code.
    using Discovery = std::function<int32_t(IDEDevices &)>;

    // Starts the worker at once with the discovery in use.
    DriveSearch();
    // Never waits for the worker: one that hangs is left to end by itself.
    ~DriveSearch();
    DriveSearch(const DriveSearch &) = delete;
    DriveSearch &operator=(const DriveSearch &) = delete;

    // Whether the worker is still searching, asked without waiting.
    bool running() const;

    // After the end: the table the worker filled (null once taken, and null
    // while the worker runs) and the letters of its CD drives, one character
    // each, in slot order (empty while the worker runs).
    std::unique_ptr<IDEDevices> takeDevices();
    const std::string &letters() const;

    // The discovery that later searches run: the platform's unless tests
    // installed their own (not owned; each search takes a copy at its
    // start); nullptr brings the platform's back.
    static void install(const Discovery *discovery);

private:
    struct Findings;

    std::shared_ptr<Findings> m_findings;
    std::unique_ptr<WorkerThread> m_worker;
};
