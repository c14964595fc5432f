#pragma once

#include "qt/skin/sk_chk_box_appearance.h"
#include "qt/skin/sk_custom_control.h"

#include <QtGlobal>

enum class SkCheckState : quint8
{
    Unchecked = 0,
    Checked = 1,
    Grayed = 2
};

// The bitmap check box: twelve states in three groups of four looks (raised, sunken, focused,
// disabled), unchecked from 0, checked from 4, grayed from 8. An empty sunken, focused or
// disabled bitmap shows its group's raised bitmap; an empty raised bitmap of the checked or
// grayed group shows state 0. Clicking goes unchecked -> checked -> unchecked, or with
// AllowGrayed unchecked -> grayed -> checked -> unchecked, and then raises clicked(). Setting
// the state from code keeps the look and raises nothing.
class SkCheckBox : public SkCustomControl
{
    Q_OBJECT
public:
    explicit SkCheckBox(QWidget *parent = nullptr);
    ~SkCheckBox() override;

    bool GetChecked() const override { return m_state == SkCheckState::Checked; }
    void SetChecked(bool checked) override;
    bool Checked() const { return GetChecked(); }

    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value) { m_allowGrayed = value; }

    SkCheckState State() const { return m_state; }
    // Stores the state and shows the same look in its group. Raises nothing.
    void SetState(SkCheckState state);

    SkChkBoxAppearance &Appearance() { return m_appearance; }
    const SkChkBoxAppearance &Appearance() const { return m_appearance; }
    void SetAppearance(const SkChkBoxAppearance &appearance) { m_appearance.Assign(appearance); }
    bool LoadChecked(const QString &folder, const QString &raised, const QString &sunken,
                     const QString &focused, const QString &disabled);
    bool LoadUnchecked(const QString &folder, const QString &raised, const QString &sunken,
                       const QString &focused, const QString &disabled);
    bool LoadGrayed(const QString &folder, const QString &raised, const QString &sunken,
                    const QString &focused, const QString &disabled);

    void ShowRaised() override { ShowChkboxBmp(0); }
    void ShowSunken() override { ShowChkboxBmp(1); }
    void ShowFocused() override { ShowChkboxBmp(2); }
    void ShowDisabled() override { ShowChkboxBmp(3); }
    // Shows the look (0 raised .. 3 disabled) in the group of the current state.
    void ShowChkboxBmp(int look);
    int Substitute(int index) const override;

    void Click() override;

    QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
    bool isCheckable() const override { return true; }

protected:
    void KeyPress(QChar &key) override;
    void BitmapChanged(int index) override;

private:
    SkCheckState m_state = SkCheckState::Unchecked;
    bool m_allowGrayed = false;
    SkChkBoxAppearance m_appearance;
};
