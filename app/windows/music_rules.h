#pragma once

#include "app/binding/choice_list.h"
#include "discovery/ide_devices.h"

#include <cstdint>
#include <optional>

// What the music selection dialog decides, apart from its window: where the
// stored drive is, which row the stored track is, what a play covers, and
// what the firmware is given for the user's choice.
namespace MusicRules {

// The ways the dialog's player plays a track.
enum PlayMode : int
{
    PlayTrackOnce = 0,
    RepeatTrack = 1,
    PlayToEnd = 2,
};

// Where the firmware's stored drive sits among the drives found.
struct StoredDrive
{
    enum class Kind
    {
        Unlisted, // the firmware lists no such drive value: the choice stays
        NoDevice, // no device sits at that position
        Device,   // a device sits there; `letter` is 0 when it has none
    };
    Kind kind = Kind::Unlisted;
    char letter = 0;
};

// The slots of the drive table that the discovery filled, never more than it has.
int32_t usedSlots(const IDEDevices *devices);
StoredDrive findStoredDrive(const ChoiceList &drives, const IDEDevices *devices,
                            uint32_t storedDrive);
// The position code of the drive with `letter`; 0 when no slot has it.
uint32_t positionOf(const IDEDevices *devices, char letter);

// The row of the stored track (counted from 0) in a list of `rows` tracks;
// a track beyond the disc falls back to the first row.
int storedRow(uint32_t storedTrack, int rows);

// The end track of a play of `track` in `mode` on a disc of `tracks`
// tracks, 0 meaning to the end of the disc. The last track has no next
// track to stop at: played once it plays to the end.
int32_t playEnd(int mode, int32_t track, int32_t tracks);

} // namespace MusicRules
