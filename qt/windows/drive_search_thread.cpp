#include "qt/windows/drive_search_thread.h"

#include <algorithm>
#include <exception>

namespace {

const DriveSearchThread::Discovery *installed = nullptr;

int32_t platformDiscovery(IDEDevices &devices)
{
    return devices.Discover();
}

} // namespace

DriveSearchThread::DriveSearchThread() : m_devices(std::make_unique<IDEDevices>())
{
    Discovery discovery = installed ? *installed : Discovery(platformDiscovery);
    m_worker = std::thread(&DriveSearchThread::run, this, std::move(discovery));
}

DriveSearchThread::~DriveSearchThread()
{
    if (m_worker.joinable())
        m_worker.join();
}

bool DriveSearchThread::running() const
{
    return !m_ended.load(std::memory_order_acquire);
}

std::unique_ptr<IDEDevices> DriveSearchThread::takeDevices()
{
    if (running())
        return nullptr;
    // The worker has finished its last step; joining costs nothing now.
    if (m_worker.joinable())
        m_worker.join();
    return std::move(m_devices);
}

void DriveSearchThread::install(const Discovery *discovery)
{
    installed = discovery;
}

void DriveSearchThread::run(Discovery discovery)
{
    IDEDevices &devices = *m_devices;
    // A search that fails, however it fails, simply finds no drive: the
    // program still starts and the user sees an empty drive list.
    try {
        discovery(devices);
        const int32_t slots = std::clamp(devices.Count, 0, IDEDevices::SlotCount);
        for (int32_t slot = 0; slot < slots; ++slot) {
            const char letter = devices.Letter[size_t(slot)];
            if (devices.Kind[size_t(slot)] == IDEDevices::DriveCdrom && letter != 0)
                m_letters += letter;
        }
    } catch (const std::exception &) {
        devices = IDEDevices();
        m_letters.clear();
    }
    // Everything written above is visible to the thread that sees the end.
    m_ended.store(true, std::memory_order_release);
}
