#pragma once

#include "skin/sk_custom_control.h"
#include "skin/sk_four_state_appearance.h"

#include <string>

// The bitmap push button: state 0 raised, 1 sunken, 2 focused (and mouse over), 3 disabled; an
// empty state bitmap shows the raised one. A quick second press is a second click.
class SkButton : public SkCustomControl
{
public:
    SkButton(HWND parent, int left, int top, const SkWindowShape &shape = {});

    // Gives the window the button lies on (its top-level window) the button's ModalResult, also
    // when that is 0, then raises OnClick.
    void Click() override;

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
    int ModalResult = 0;

    // The modal result a button's click last gave the top-level window `window`; 0 when none did.
    static int ModalResultOf(HWND window);

protected:
    SkButton(HWND parent, int left, int top, const char *className,
             const SkWindowShape &shape = {});

    void KeyPress(char &key) override;
};
