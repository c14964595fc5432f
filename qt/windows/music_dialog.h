#pragma once

#include "qt/windows/setting_dialog.h"

#include <QString>

// What the panel reads from the music selection dialog.
class MusicDialog : public SettingDialog
{
    Q_OBJECT

public:
    using SettingDialog::SettingDialog;

    // The text of the drive chosen in the drive list; empty when none is.
    virtual QString selectedDrive() const = 0;
    // The current track number as text; empty when there is no track.
    virtual QString currentTrack() const = 0;

signals:
    // The search for CD drives that runs at program start has ended and the
    // dialog holds the stored choice: the panel shows itself and the
    // waiting window goes away.
    void driveSearchEnded();
};
