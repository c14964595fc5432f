#pragma once

#include "qt/windows/setting_dialog.h"

#include <QString>

// What the panel reads from the options dialog.
class OptionsDialog : public SettingDialog
{
    Q_OBJECT

public:
    using SettingDialog::SettingDialog;

    // The texts of the chosen repeat mode and duration; empty when none is chosen.
    virtual QString selectedMode() const = 0;
    virtual QString selectedDuration() const = 0;
    // The text of the volume field.
    virtual QString volume() const = 0;
};
