#pragma once

#include <QAccessible>
#include <QWidget>

#include <functional>

// The interaction state machine shared by every skinned control. It decides when the control
// looks raised, sunken (pressed), focused (keyboard focus or mouse over it) or disabled, and
// tells the subclass through ShowRaised, ShowSunken, ShowFocused and ShowDisabled.
//
// Events. The control's events are Qt signals, raised after the control's own handling:
//   clicked()        a left-button press and release inside the control, or the space key
//                    (one click per character the key produces, auto-repeat included); never
//                    raised by programmatic state changes. Click() raises it as the user would.
//   doubleClicked()  only for controls that take double clicks (SkRadioButton); for the others
//                    a quick second press is a second click.
//   mouseDown(button, modifiers, pos), mouseUp(button, modifiers, pos)
//                    every press and release on the control; on release the click comes first.
// The key-press event may change or clear the key before the control acts on it, so it is a
// handler rather than a signal: SetOnKeyPress(handler), the handler receives the character and
// may set it to QChar() to swallow it.
//
// Hover is seen through Qt's enter and leave events and mouse tracking, limited to the control's
// outline (HitTest); during a press the implicit grab of the pressed widget delivers the moves
// outside it. The control never grabs the mouse itself.
//
// Accessibility: every skinned control reports its role, its name (the accessible name the
// window sets, or else its caption), and its checked and enabled state.
class SkControl : public QWidget
{
    Q_OBJECT
public:
    using KeyPressHandler = std::function<void(QChar &key)>;

    SkControl(QWidget *parent, bool clicksDisabled);
    ~SkControl() override;

    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}

    virtual void ShowRaised() {}
    virtual void ShowDisabled() { ShowRaised(); }
    virtual void ShowFocused() { ShowRaised(); }
    virtual void ShowSunken() { ShowRaised(); }

    // Whether the point, in control coordinates, lies on the control.
    virtual bool HitTest(int x, int y) const;

    // Show the focused look while the mouse is over the control (default true).
    bool ShowMouseOver() const { return m_showMouseOver; }
    void SetShowMouseOver(bool value);
    // The control does not show presses (default given to the constructor).
    bool ClicksDisabled() const { return m_clicksDisabled; }
    void SetClicksDisabled(bool value);

    // What a click of the user does: the concrete control's reaction, then clicked().
    virtual void Click();

    // A number for the window's own use (the arrow buttons tell their direction by it).
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }

    const KeyPressHandler &OnKeyPress() const { return m_onKeyPress; }
    void SetOnKeyPress(KeyPressHandler handler) { m_onKeyPress = std::move(handler); }

    // The interaction state, for the subclasses' drawing and for tests.
    bool isHot() const { return m_showMouseOver && m_hover; }
    bool isPressed() const { return m_spaceHeld || m_pressed; }
    bool isHovered() const { return m_hover; }

    // What assistive technology is told about the control.
    virtual QAccessible::Role accessibleRole() const { return QAccessible::Button; }
    virtual QString accessibleCaption() const { return QString(); }
    virtual bool isCheckable() const { return false; }

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    // The key-press step: runs the OnKeyPress handler, which may change or clear the key.
    // Subclasses act on the key that is left.
    virtual void KeyPress(QChar &key);
    // A double click for controls that take double clicks: raises doubleClicked().
    virtual void DblClick();
    // Whether a quick second press is a double click (true) or a second click (false, default).
    void setTakesDoubleClicks(bool value) { m_takesDoubleClicks = value; }
    // Tells assistive technology that the checked state changed.
    void notifyAccessibleState();

    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showReleased();
    void press();
    void cancelPress();
    void cancelHover();
    void mouseEntered();
    void mouseLeft();
    void trackPointer(QPoint pos);
    void pointerGone();
    void leftButtonDown(QPoint pos, bool recognisesClick);

    bool m_showMouseOver = true;
    bool m_hover = false;
    bool m_spaceHeld = false;
    bool m_pressed = false;
    bool m_tracking = false;
    bool m_clicksDisabled;
    bool m_clickPending = false;
    bool m_takesDoubleClicks = false;
    int m_tag = 0;
    KeyPressHandler m_onKeyPress;
};
