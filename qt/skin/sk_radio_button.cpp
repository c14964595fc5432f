#include "qt/skin/sk_radio_button.h"

SkRadioButton::SkRadioButton(QWidget *parent)
    : SkCustomControl(parent, false, 8), m_appearance(this)
{
    setTakesDoubleClicks(true);
}

SkRadioButton::~SkRadioButton() = default;

void SkRadioButton::SetChecked(bool checked)
{
    if (checked)
        ExcludeOther();
    const bool changed = checked != m_checked;
    m_checked = checked;
    ShowRadioBtnBmp(CurrentState() % 4);
    if (changed)
        notifyAccessibleState();
}

bool SkRadioButton::LoadChecked(const QString &folder, const QString &raised, const QString &sunken,
                                const QString &focused, const QString &disabled)
{
    return m_appearance.Check().LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool SkRadioButton::LoadUnchecked(const QString &folder, const QString &raised,
                                  const QString &sunken, const QString &focused,
                                  const QString &disabled)
{
    return m_appearance.Uncheck().LoadFromFiles(folder, raised, sunken, focused, disabled);
}

void SkRadioButton::ShowRadioBtnBmp(int look)
{
    ShowBitmap(m_checked ? look + 4 : look);
}

int SkRadioButton::Substitute(int index) const
{
    return index % 4 != 0 ? index - index % 4 : 0;
}

bool SkRadioButton::IsExclusiveType(QWidget *control) const
{
    return qstrcmp(control->metaObject()->className(), "SkRadioButton") == 0;
}

void SkRadioButton::Click()
{
    SetChecked(true);
    SkCustomControl::Click();
}

void SkRadioButton::ExcludeOther()
{
    QWidget *parent = parentWidget();
    if (!parent)
        return;
    // The list is copied: an unchecked sibling's handlers may change the parent's children.
    const QObjectList siblings = parent->children();
    for (QObject *object : siblings) {
        auto *control = qobject_cast<SkControl *>(object);
        if (control && control != this && IsExclusiveType(control))
            control->SetChecked(false);
    }
}

void SkRadioButton::KeyPress(QChar &key)
{
    SkCustomControl::KeyPress(key);
    if (key == QLatin1Char(' '))
        Click();
}

void SkRadioButton::DblClick()
{
    SetChecked(true);
    SkCustomControl::DblClick();
}

void SkRadioButton::BitmapChanged(int index)
{
    const int fallback = Substitute(CurrentState());
    if (fallback != 0 && index == fallback)
        ShowBitmap(CurrentState());
    SkCustomControl::BitmapChanged(index);
}
