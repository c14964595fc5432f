#pragma once

#include "skin/sk_custom_control.h"
#include "skin/sk_four_state_appearance.h"

#include <string>

// The bitmap push button: state 0 raised, 1 sunken, 2 focused (and mouse over), 3 disabled; an
// empty state bitmap shows the raised one. A quick second press is a second click.
class SkButton : public SkCustomControl
{
public:
    SkButton(HWND parent, int left, int top);

    void ShowSunken() override { ShowBitmap(1); }
    void ShowFocused() override { ShowBitmap(2); }
    void ShowDisabled() override { ShowBitmap(3); }

    // Copies the other appearance's four bitmaps into Appearance.
    void SetAppearance(const SkFourStateAppearance &appearance) { Appearance.Assign(appearance); }
    bool LoadBitmap(const std::string &folder, const std::string &raised, const std::string &sunken,
                    const std::string &focused, const std::string &disabled)
    {
        return Appearance.LoadFromFiles(folder, raised, sunken, focused, disabled);
    }

    SkFourStateAppearance Appearance;

protected:
    SkButton(HWND parent, int left, int top, const char *className);

    void KeyPress(char &key) override;
};
