#pragma once

#include "app/windows/setting_dialog.h"

#include <string>

// What the panel reads from the music selection dialog.
class MusicDialog : public SettingDialog
{
public:
    // The drive chosen in the drive list; empty when none is.
    virtual std::string selectedDrive() const = 0;
    // The current track number as text; empty when there is no track.
    virtual std::string currentTrack() const = 0;
};
