#include "discovery/drive_search.h"

#include "discovery/worker_thread.h"

#include <algorithm>
#include <exception>

// What the worker writes and the window thread reads after the end.
struct DriveSearch::Findings
{
    std::unique_ptr<IDEDevices> devices = std::make_unique<IDEDevices>();
    std::string letters;
};

namespace {

const DriveSearch::Discovery *installed = nullptr;

int32_t platformDiscovery(IDEDevices &devices)
{
    return devices.Discover();
}

std::string cdromLetters(const IDEDevices &devices)
{
    std::string letters;
    const int32_t slots = std::clamp(devices.Count, 0, IDEDevices::SlotCount);
    for (int32_t slot = 0; slot < slots; ++slot) {
        const char letter = devices.Letter[size_t(slot)];
        if (devices.Kind[size_t(slot)] == IDEDevices::DriveCdrom && letter != 0)
            letters += letter;
    }
    return letters;
}

void search(const DriveSearch::Discovery &discovery, IDEDevices &devices, std::string &letters)
{
    // A search that fails, however it fails, simply finds no drive: the
    // program still starts and the user sees an empty drive list.
    try {
        discovery(devices);
        letters = cdromLetters(devices);
    } catch (...) {
        devices = IDEDevices();
        letters.clear();
    }
}

} // namespace

DriveSearch::DriveSearch() : m_findings(std::make_shared<Findings>())
{
    Discovery discovery = installed ? *installed : Discovery(platformDiscovery);
    // The job holds its own share of the findings and its own copy of the
    // discovery, so it can outlive this object.
    m_worker = WorkerThread::start([findings = m_findings, discovery = std::move(discovery)] {
        search(discovery, *findings->devices, findings->letters);
    });
}

DriveSearch::~DriveSearch() = default;

bool DriveSearch::running() const
{
    return !m_worker->ended();
}

std::unique_ptr<IDEDevices> DriveSearch::takeDevices()
{
    if (running())
        return nullptr;
    return std::move(m_findings->devices);
}

const std::string &DriveSearch::letters() const
{
    static const std::string none;
    return running() ? none : m_findings->letters;
}

void DriveSearch::install(const Discovery *discovery)
{
    installed = discovery;
}
