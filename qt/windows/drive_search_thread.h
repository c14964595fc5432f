#pragma once

#include "discovery/ide_devices.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

// The search for the CD drives on the IDE channels, run once at program start
// on a worker thread of its own: on Windows the management instrumentation
// answers slowly, and the window thread keeps painting the waiting window
// meanwhile. The worker touches no window; it leaves the table and the drive
// letters in this object, which the window thread takes once it has seen the
// worker end. Nothing is shared while the worker runs, so nothing is locked.
class DriveSearchThread
{
public:
    // Fills the table; answers the discovery's result code.
    using Discovery = std::function<int32_t(IDEDevices &)>;

    // Starts the worker at once with the discovery in use.
    DriveSearchThread();
    // Waits for the worker: it never outlives the dialog that started it.
    ~DriveSearchThread();
    DriveSearchThread(const DriveSearchThread &) = delete;
    DriveSearchThread &operator=(const DriveSearchThread &) = delete;

    // Whether the worker is still searching, asked without waiting.
    bool running() const;

    // After the end: the table the worker filled (null once taken) and the
    // letters of its CD drives, one character each, in slot order.
    std::unique_ptr<IDEDevices> takeDevices();
    const std::string &letters() const { return m_letters; }

    // The discovery that later searches run: the platform's unless tests
    // installed their own (not owned); nullptr brings the platform's back.
    static void install(const Discovery *discovery);

private:
    void run(Discovery discovery);

    std::unique_ptr<IDEDevices> m_devices;
    std::string m_letters;
    std::atomic<bool> m_ended{false};
    std::thread m_worker;
};
