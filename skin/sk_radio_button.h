#pragma once

#include "skin/sk_custom_control.h"
#include "skin/sk_radio_btn_appearance.h"

#include <string>

// The bitmap radio button: two groups of four looks (unchecked 0-3, checked 4-7). Checking it
// (click, double click, space or SetChecked(true)) unchecks every other child of the same parent
// window whose class is exactly "SkRadioButton"; there is no group number.
class SkRadioButton : public SkCustomControl
{
public:
    SkRadioButton(HWND parent, int left, int top, const SkWindowShape &shape = {});

    bool Checked() const { return m_checked; }
    bool GetChecked() const override { return m_checked; }
    void SetChecked(bool value) override;

    void ShowRaised() override { ShowRadioBtnBmp(0); }
    void ShowSunken() override { ShowRadioBtnBmp(1); }
    void ShowFocused() override { ShowRadioBtnBmp(2); }
    void ShowDisabled() override { ShowRadioBtnBmp(3); }
    int Substitute(int index) const override;

    void Click() override;

    // Whether checking this button unchecks the given sibling window.
    virtual bool IsExclusiveType(HWND control) const;

    void SetAppearance(const SkRadioBtnAppearance &appearance) { Appearance.Assign(appearance); }
    bool LoadChecked(const std::string &folder, const std::string &raised,
                     const std::string &sunken, const std::string &focused,
                     const std::string &disabled);
    bool LoadUnchecked(const std::string &folder, const std::string &raised,
                       const std::string &sunken, const std::string &focused,
                       const std::string &disabled);

    SkRadioBtnAppearance Appearance;

    int accessibleRole() const override;
    bool accessibleCheckable() const override { return true; }

protected:
    SkRadioButton(HWND parent, int left, int top, const char *className,
                  const SkWindowShape &shape = {});

    void KeyPress(char &key) override;
    void DblClick() override;
    void BitmapChanged(int index) override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowRadioBtnBmp(int look) { ShowBitmap(m_checked ? look + 4 : look); }
    void ExcludeOther();

    bool m_checked = false;
};
