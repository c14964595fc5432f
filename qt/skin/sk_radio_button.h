#pragma once

#include "qt/skin/sk_custom_control.h"
#include "qt/skin/sk_radio_btn_appearance.h"

// The bitmap radio button: eight states in two groups of four looks (raised, sunken, focused,
// disabled), unchecked from 0, checked from 4, with the check box's fallback of empty bitmaps.
// Checking a radio button, by click, double click, space or SetChecked(true), unchecks every
// other radio button with the same parent widget (see IsExclusiveType); there are no group
// numbers. Only SetChecked(false) or a sibling's checking unchecks it. It takes double clicks:
// the second press of a double click raises doubleClicked() instead of a second click.
class SkRadioButton : public SkCustomControl
{
    Q_OBJECT
public:
    explicit SkRadioButton(QWidget *parent = nullptr);
    ~SkRadioButton() override;

    bool GetChecked() const override { return m_checked; }
    // Checking unchecks the siblings first, also when this one is checked already. Keeps the
    // look and raises nothing.
    void SetChecked(bool checked) override;
    bool Checked() const { return m_checked; }

    SkRadioBtnAppearance &Appearance() { return m_appearance; }
    const SkRadioBtnAppearance &Appearance() const { return m_appearance; }
    void SetAppearance(const SkRadioBtnAppearance &appearance) { m_appearance.Assign(appearance); }
    bool LoadChecked(const QString &folder, const QString &raised, const QString &sunken,
                     const QString &focused, const QString &disabled);
    bool LoadUnchecked(const QString &folder, const QString &raised, const QString &sunken,
                       const QString &focused, const QString &disabled);

    void ShowRaised() override { ShowRadioBtnBmp(0); }
    void ShowSunken() override { ShowRadioBtnBmp(1); }
    void ShowFocused() override { ShowRadioBtnBmp(2); }
    void ShowDisabled() override { ShowRadioBtnBmp(3); }
    void ShowRadioBtnBmp(int look);
    int Substitute(int index) const override;

    // Whether checking this button unchecks the control: true when the control's class name is
    // exactly "SkRadioButton". A subclass declares its own class name with Q_OBJECT and is then
    // left alone, unless it overrides this.
    virtual bool IsExclusiveType(QWidget *control) const;

    void Click() override;

    QAccessible::Role accessibleRole() const override { return QAccessible::RadioButton; }
    bool isCheckable() const override { return true; }

protected:
    void ExcludeOther();
    void KeyPress(QChar &key) override;
    void DblClick() override;
    void BitmapChanged(int index) override;

private:
    bool m_checked = false;
    SkRadioBtnAppearance m_appearance;
};
