#pragma once

#include <QAccessibleWidget>

class SkControl;

// What assistive technology sees of a skinned control: its role (push button, check box, radio
// button), its name (the accessible name set by the window, else the caption), its checked,
// focused and enabled state, and the press or toggle action, which clicks the control.
class SkAccessible : public QAccessibleWidget
{
public:
    explicit SkAccessible(SkControl *control);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // Registers the factory that gives every skinned control this interface. Repeated calls do
    // nothing.
    static void installFactory();

private:
    SkControl *control() const;
};
