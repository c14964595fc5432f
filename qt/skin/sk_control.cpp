#include "qt/skin/sk_control.h"

#include "qt/skin/sk_accessible.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

SkControl::SkControl(QWidget *parent, bool clicksDisabled)
    : QWidget(parent), m_clicksDisabled(clicksDisabled)
{
    SkAccessible::installFactory();
    // Mouse tracking lets the control see the pointer enter its outline without a button held.
    setMouseTracking(true);
    // A tab stop by default; Press takes the focus itself, so a click on a control that is no
    // tab stop leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
}

SkControl::~SkControl() = default;

bool SkControl::HitTest(int x, int y) const
{
    return x >= 0 && x < width() && y >= 0 && y < height();
}

void SkControl::SetShowMouseOver(bool value)
{
    if (!value && m_showMouseOver)
        cancelHover();
    m_showMouseOver = value;
}

void SkControl::SetClicksDisabled(bool value)
{
    if (!value && m_clicksDisabled)
        cancelPress();
    m_clicksDisabled = value;
}

void SkControl::Click()
{
    emit clicked();
}

void SkControl::KeyPress(QChar &key)
{
    if (m_onKeyPress)
        m_onKeyPress(key);
}

void SkControl::DblClick()
{
    emit doubleClicked();
}

void SkControl::notifyAccessibleState()
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void SkControl::showReleased()
{
    if (isHot() || hasFocus())
        ShowFocused();
    else
        ShowRaised();
}

void SkControl::press()
{
    if (!hasFocus() && (focusPolicy() & Qt::TabFocus))
        setFocus(Qt::MouseFocusReason);
    ShowSunken();
}

void SkControl::cancelPress()
{
    m_clickPending = false;
    if (isPressed()) {
        showReleased();
        m_pressed = false;
        m_spaceHeld = false;
    }
    if (m_tracking) {
        // The press no longer owns the pointer: a control that was hovered sees it leave.
        m_tracking = false;
        if (m_hover)
            mouseLeft();
    }
}

void SkControl::cancelHover()
{
    if (!m_hover)
        return;
    m_hover = false;
    if (m_pressed)
        return;
    if (!hasFocus() && m_showMouseOver)
        ShowRaised();
}

void SkControl::mouseEntered()
{
    // A control that does not show presses keeps showing hover when the held button comes back.
    if (m_tracking && !m_clicksDisabled) {
        press();
        m_pressed = true;
    } else if (m_showMouseOver && !hasFocus()) {
        ShowFocused();
    }
    m_hover = true;
}

void SkControl::mouseLeft()
{
    m_hover = false;
    if (m_pressed) {
        m_pressed = false;
        if (!m_spaceHeld)
            showReleased();
    } else if (!hasFocus() && m_showMouseOver) {
        ShowRaised();
    }
}

void SkControl::trackPointer(QPoint pos)
{
    if (!isEnabled() || !(m_showMouseOver || !m_clicksDisabled))
        return;
    const bool inside = HitTest(pos.x(), pos.y());
    if (inside && !m_hover)
        mouseEntered();
    else if (!inside && m_hover)
        mouseLeft();
}

void SkControl::pointerGone()
{
    if (!isEnabled())
        return;
    if (m_hover || m_tracking)
        mouseLeft();
    m_tracking = false;
}

void SkControl::leftButtonDown(QPoint pos, bool recognisesClick)
{
    if (!HitTest(pos.x(), pos.y()))
        return;
    if (!m_clicksDisabled) {
        m_tracking = true;
        m_pressed = true;
        if (!m_spaceHeld)
            press();
    } else if (m_showMouseOver) {
        m_tracking = true;
    }
    m_clickPending = recognisesClick;
}

void SkControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        leftButtonDown(pos, true);
    emit mouseDown(event->button(), event->modifiers(), pos);
    event->accept();
}

void SkControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        leftButtonDown(pos, !m_takesDoubleClicks);
        if (m_takesDoubleClicks && HitTest(pos.x(), pos.y()))
            DblClick();
    }
    emit mouseDown(event->button(), event->modifiers(), pos);
    event->accept();
}

void SkControl::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (!m_clicksDisabled) {
            if (m_pressed && !m_spaceHeld)
                showReleased();
            m_pressed = false;
        }
        const bool inside = HitTest(pos.x(), pos.y());
        if (m_tracking && !inside && m_hover)
            mouseLeft();
        m_tracking = false;
        const bool click = m_clickPending && inside;
        m_clickPending = false;
        if (click)
            Click();
    }
    emit mouseUp(event->button(), event->modifiers(), pos);
    event->accept();
}

void SkControl::mouseMoveEvent(QMouseEvent *event)
{
    trackPointer(event->position().toPoint());
    event->accept();
}

void SkControl::enterEvent(QEnterEvent *event)
{
    trackPointer(event->position().toPoint());
    QWidget::enterEvent(event);
}

void SkControl::leaveEvent(QEvent *event)
{
    // During a press the implicit grab keeps delivering the moves, which see the pointer leave
    // and come back; the press ends with the release.
    if (!(m_tracking && (QGuiApplication::mouseButtons() & Qt::LeftButton)))
        pointerGone();
    QWidget::leaveEvent(event);
}

void SkControl::showEvent(QShowEvent *event)
{
    // A control created inside a disabled parent was disabled before it could hear of it.
    if (!isEnabled())
        ShowDisabled();
    QWidget::showEvent(event);
}

void SkControl::hideEvent(QHideEvent *event)
{
    // A hidden control sees neither the release of the button nor that of the key.
    m_clickPending = false;
    m_spaceHeld = false;
    pointerGone();
    QWidget::hideEvent(event);
}

void SkControl::focusInEvent(QFocusEvent *event)
{
    if (!isPressed() && !isHot())
        ShowFocused();
    QWidget::focusInEvent(event);
}

void SkControl::focusOutEvent(QFocusEvent *event)
{
    if (isPressed()) {
        if (!m_pressed) {
            showReleased();
            m_spaceHeld = false;
        }
    } else if (!isHot()) {
        ShowRaised();
    }
    QWidget::focusOutEvent(event);
}

void SkControl::keyPressEvent(QKeyEvent *event)
{
    const bool space = event->key() == Qt::Key_Space;
    if (space && !m_clicksDisabled) {
        m_spaceHeld = true;
        if (!m_pressed)
            press();
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        QChar key = text.at(0);
        KeyPress(key);
    }
    if (space)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void SkControl::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // Auto-repeat sends a release before every repeated press; the key is still down.
    if (!event->isAutoRepeat() && !m_clicksDisabled && !m_pressed) {
        if (m_spaceHeld)
            showReleased();
        m_spaceHeld = false;
    }
    event->accept();
}

void SkControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        if (isEnabled()) {
            ShowRaised();
        } else {
            cancelPress();
            cancelHover();
            ShowDisabled();
        }
    }
    QWidget::changeEvent(event);
}
