#include "qt/skin/sk_check_box.h"

SkCheckBox::SkCheckBox(QWidget *parent) : SkCustomControl(parent, false, 12), m_appearance(this) {}

SkCheckBox::~SkCheckBox() = default;

void SkCheckBox::SetChecked(bool checked)
{
    SetState(checked ? SkCheckState::Checked : SkCheckState::Unchecked);
}

void SkCheckBox::SetState(SkCheckState state)
{
    const bool changed = state != m_state;
    m_state = state;
    ShowChkboxBmp(CurrentState() % 4);
    if (changed)
        notifyAccessibleState();
}

bool SkCheckBox::LoadChecked(const QString &folder, const QString &raised, const QString &sunken,
                             const QString &focused, const QString &disabled)
{
    return m_appearance.Check().LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkCheckBox::LoadUnchecked(const QString &folder, const QString &raised, const QString &sunken,
                               const QString &focused, const QString &disabled)
{
    return m_appearance.Uncheck().LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkCheckBox::LoadGrayed(const QString &folder, const QString &raised, const QString &sunken,
                            const QString &focused, const QString &disabled)
{
    return m_appearance.Gray().LoadFromFiles(folder, raised, sunken, focused, disabled);
}

void SkCheckBox::ShowChkboxBmp(int look)
{
    switch (m_state) {
    case SkCheckState::Checked:
        ShowBitmap(look + 4);
        break;
    case SkCheckState::Grayed:
        ShowBitmap(look + 8);
        break;
    case SkCheckState::Unchecked:
        ShowBitmap(look);
        break;
    }
}

int SkCheckBox::Substitute(int index) const
{
    return index % 4 != 0 ? index - index % 4 : 0;
}

void SkCheckBox::Click()
{
    switch (m_state) {
    case SkCheckState::Unchecked:
        SetState(m_allowGrayed ? SkCheckState::Grayed : SkCheckState::Checked);
        break;
    case SkCheckState::Checked:
        SetState(SkCheckState::Unchecked);
        break;
    case SkCheckState::Grayed:
        SetState(SkCheckState::Checked);
        break;
    }
    SkCustomControl::Click();
}

void SkCheckBox::KeyPress(QChar &key)
{
    SkCustomControl::KeyPress(key);
    if (key == QLatin1Char(' '))
        Click();
}

// A look shown through its group's fallback must be shown again when the fallback's bitmap
// changes.
void SkCheckBox::BitmapChanged(int index)
{
    const int fallback = Substitute(CurrentState());
    if (fallback != 0 && index == fallback)
        ShowBitmap(CurrentState());
    SkCustomControl::BitmapChanged(index);
}
