#include "qt/skin/sk_button.h"

#include <QDialog>

SkButton::SkButton(QWidget *parent) : SkCustomControl(parent, false, 4), m_appearance(this, 0) {}

SkButton::~SkButton() = default;

void SkButton::SetAppearance(const SkFourStateAppearance &appearance)
{
    m_appearance.Assign(appearance);
}

bool SkButton::LoadBitmap(const QString &folder, const QString &raised, const QString &sunken,
                          const QString &focused, const QString &disabled)
{
    return m_appearance.LoadFromFiles(folder, raised, sunken, focused, disabled);
}

void SkButton::Click()
{
    if (parentWidget()) {
        QWidget *owner = window();
        if (auto *dialog = qobject_cast<QDialog *>(owner))
            dialog->setResult(m_modalResult);
        else
            owner->setProperty("ModalResult", m_modalResult);
    }
    SkCustomControl::Click();
}

void SkButton::KeyPress(QChar &key)
{
    SkCustomControl::KeyPress(key);
    if (key == QLatin1Char(' '))
        Click();
}
