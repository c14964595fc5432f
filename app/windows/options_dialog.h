#pragma once

#include "app/windows/setting_dialog.h"

#include <string>

// The options dialog as the panel knows it.
class OptionsDialog : public SettingDialog
{
public:
    // The chosen repeat mode and duration; empty when none is chosen.
    virtual std::string selectedMode() const = 0;
    virtual std::string selectedDuration() const = 0;
    // The text of the volume field.
    virtual std::string volume() const = 0;
};
