#include "qt/skin/sk_accessible.h"

#include "qt/skin/sk_control.h"

namespace {

QAccessibleInterface *skinnedControlFactory(const QString &, QObject *object)
{
    if (auto *control = qobject_cast<SkControl *>(object))
        return new SkAccessible(control);
    return nullptr;
}

} // namespace

SkAccessible::SkAccessible(SkControl *control)
    : QAccessibleWidget(control, control->accessibleRole())
{
}

SkControl *SkAccessible::control() const
{
    return static_cast<SkControl *>(widget());
}

QString SkAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = control()->accessibleName();
        return name.isEmpty() ? control()->accessibleCaption() : name;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State SkAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (control()->isCheckable()) {
        s.checkable = true;
        s.checked = control()->GetChecked();
    }
    s.pressed = control()->isPressed();
    s.hotTracked = control()->isHot();
    return s;
}

QStringList SkAccessible::actionNames() const
{
    if (!control()->isEnabled())
        return {};
    return {control()->isCheckable() ? toggleAction() : pressAction()};
}

void SkAccessible::doAction(const QString &actionName)
{
    if (control()->isEnabled() && (actionName == pressAction() || actionName == toggleAction()))
        control()->Click();
}

void SkAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinnedControlFactory);
        return true;
    }();
    (void)installed;
}
