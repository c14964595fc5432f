#pragma once

#include "app/windows/setting_dialog.h"

#include <cstdint>
#include <string>

// What the panel asks of the music selection dialog, which knows the drives
// and the disc: how the firmware's drive and track read to the user.
class MusicDialog : public SettingDialog
{
public:
    // The letter of the drive at the firmware's drive value; empty when no
    // drive with a letter sits there.
    virtual std::string driveShown(uint32_t storedDrive) const = 0;
    // The number of the firmware's track on the disc listed, counted from 1
    // (a track beyond the disc falls back to the first); empty when the
    // list has no track.
    virtual std::string trackShown(uint32_t storedTrack) const = 0;
};
