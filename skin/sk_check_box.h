#pragma once

#include "skin/sk_chk_box_appearance.h"
#include "skin/sk_custom_control.h"

#include <string>

enum class SkCheckState : unsigned char
{
    Unchecked = 0,
    Checked = 1,
    Grayed = 2
};

// The bitmap check box: three groups of four looks (unchecked 0-3, checked 4-7, grayed 8-11).
// An empty sunken, focused or disabled bitmap shows its group's raised bitmap; an empty raised
// bitmap of the checked or grayed group shows state 0. Clicking goes unchecked -> checked ->
// unchecked, or with AllowGrayed unchecked -> grayed -> checked -> unchecked; setting the state
// in code keeps the look and raises no event.
class SkCheckBox : public SkCustomControl
{
public:
    SkCheckBox(HWND parent, int left, int top, const SkWindowShape &shape = {});

    SkCheckState State() const { return m_state; }
    void SetState(SkCheckState state);
    bool Checked() const { return m_state == SkCheckState::Checked; }
    void SetChecked(bool value) override;
    bool GetChecked() const override { return Checked(); }
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value) { m_allowGrayed = value; }

    void ShowRaised() override { ShowChkboxBmp(0); }
    void ShowSunken() override { ShowChkboxBmp(1); }
    void ShowFocused() override { ShowChkboxBmp(2); }
    void ShowDisabled() override { ShowChkboxBmp(3); }
    int Substitute(int index) const override;

    void Click() override;

    void SetAppearance(const SkChkBoxAppearance &appearance) { Appearance.Assign(appearance); }
    bool LoadChecked(const std::string &folder, const std::string &raised,
                     const std::string &sunken, const std::string &focused,
                     const std::string &disabled);
    bool LoadUnchecked(const std::string &folder, const std::string &raised,
                       const std::string &sunken, const std::string &focused,
                       const std::string &disabled);
    bool LoadGrayed(const std::string &folder, const std::string &raised, const std::string &sunken,
                    const std::string &focused, const std::string &disabled);

    SkChkBoxAppearance Appearance;

    int accessibleRole() const override;
    bool accessibleCheckable() const override { return true; }
    bool accessibleMixed() const override { return m_state == SkCheckState::Grayed; }

protected:
    void KeyPress(char &key) override;
    void BitmapChanged(int index) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowChkboxBmp(int look);

    bool m_allowGrayed = false;
    SkCheckState m_state = SkCheckState::Unchecked;
};
