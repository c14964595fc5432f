#include "app/windows/music_rules.h"

#include <algorithm>

namespace MusicRules {

int32_t usedSlots(const IDEDevices *devices)
{
    return devices ? std::clamp(devices->Count, 0, IDEDevices::SlotCount) : 0;
}

StoredDrive findStoredDrive(const ChoiceList &drives, const IDEDevices *devices,
                            uint32_t storedDrive)
{
    const uint32_t entries = std::min(drives.count, ChoiceList::MaxEntries);
    uint32_t entry = 0;
    while (entry < entries && drives.values[entry] != storedDrive)
        ++entry;
    if (entry == entries)
        return {};
    for (int32_t slot = 0; slot < usedSlots(devices); ++slot) {
        if (devices->Position[size_t(slot)] == int32_t(entry))
            return {StoredDrive::Kind::Device, devices->Letter[size_t(slot)]};
    }
    return {StoredDrive::Kind::NoDevice, 0};
}

uint32_t positionOf(const IDEDevices *devices, char letter)
{
    if (letter == 0)
        return 0;
    for (int32_t slot = 0; slot < usedSlots(devices); ++slot) {
        if (devices->Letter[size_t(slot)] == letter)
            return uint32_t(devices->Position[size_t(slot)]);
    }
    return 0;
}

int storedRow(uint32_t storedTrack, int rows)
{
    // Counted in 64 bits: the largest stored value has no next number in 32.
    const uint64_t track = uint64_t(storedTrack) + 1;
    return rows > 0 && track <= uint64_t(rows) ? int(track) - 1 : 0;
}

int32_t playEnd(int mode, int32_t track, int32_t tracks)
{
    if (mode == PlayTrackOnce)
        return track >= 1 && track < tracks ? track + 1 : 0;
    return 0;
}

} // namespace MusicRules
