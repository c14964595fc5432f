#pragma once

#include "skin/mouse_event.h"
#include "skin/sk_window.h"

#include <functional>
#include <string>

// How a control's window is made: its size until a picture sizes it, and
// whether Tab reaches it. A window made at its size and with its styles needs
// no second trip to the window system for either (under Wine each is one).
struct SkWindowShape
{
    int width = 0;
    int height = 0;
    bool tabStop = true;
};

// The interaction state machine shared by every skinned control, a child window. It decides when
// the control looks raised, sunken (pressed), focused (keyboard focus, or the mouse over it) or
// disabled, and tells the subclass through ShowRaised, ShowSunken, ShowFocused and ShowDisabled.
//
// Mouse: a left press on the control captures the mouse, so the control sees the pointer leave
// and come back while the button is held; a release over the control (HitTest) after a press on
// it clicks. Hover is seen by capturing the mouse while the pointer is over the outline (and by
// leave tracking); losing the capture (WM_CAPTURECHANGED) ends hover and press. Keyboard: the
// space key's key-down shows the sunken look, every character it produces clicks, the key-up
// restores the released look. WM_ENABLE, WM_SETFOCUS and WM_KILLFOCUS change the look.
//
// Events, raised after the control's own handling: OnClick (mouse or space, or Click(); never by
// programmatic state changes), OnDblClick (only controls that take double clicks), OnMouseDown
// and OnMouseUp (every press and release; on release the click comes first), OnKeyPress (every
// character; the handler may change the key or set it to 0 to swallow it).
class SkControl : public SkWindow
{
public:
    using MouseHandler = std::function<void(const MouseEvent &)>;

    ~SkControl() override;

    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}

    virtual void ShowRaised() {}
    virtual void ShowDisabled() { ShowRaised(); }
    virtual void ShowFocused() { ShowRaised(); }
    virtual void ShowSunken() { ShowRaised(); }

    // Whether the point, in client coordinates, lies on the control.
    virtual bool HitTest(int x, int y) const;

    // What a click of the user does: the concrete control's reaction, then OnClick.
    virtual void Click();

    bool Enabled() const;
    void SetEnabled(bool value);
    bool Visible() const;
    void SetVisible(bool value);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    // Moves and sizes the control; a control with a raised bitmap keeps that bitmap's size.
    virtual void SetBounds(int left, int top, int width, int height);

    // A number for the window's own use (the arrow buttons tell their direction by it).
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }

    // Show the focused look while the mouse is over the control (default true).
    bool ShowMouseOver() const { return m_showMouseOver; }
    void SetShowMouseOver(bool value);
    // The control does not show presses.
    bool ClicksDisabled() const { return m_clicksDisabled; }
    void SetClicksDisabled(bool value);

    // The name assistive technology is told; the caption while none is set.
    const std::string &AccessibleName() const { return m_accessibleName; }
    void SetAccessibleName(std::string name);
    // What assistive technology is told about the control.
    virtual int accessibleRole() const;
    virtual std::string accessibleCaption() const { return {}; }
    virtual bool accessibleCheckable() const { return false; }
    virtual bool accessibleMixed() const { return false; }
    std::string accessibleText() const;

    // The interaction state, for the subclasses' drawing and for tests.
    bool isHot() const { return m_showMouseOver && m_hover; }
    bool isPressed() const { return m_spaceHeld || m_pressed; }
    bool isHovered() const { return m_hover; }
    bool isFocused() const { return m_focused; }

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    MouseHandler OnMouseDown, OnMouseUp;
    std::function<void(char &key)> OnKeyPress;

protected:
    // className is the window class the control registers (its own class name); classStyle
    // CS_DBLCLKS for a control that takes double clicks.
    SkControl(HWND parent, int left, int top, const char *className, UINT classStyle,
              bool clicksDisabled, const SkWindowShape &shape = {});

    // The key-press step: raises OnKeyPress, which may change or clear the key. Subclasses act
    // on the key that is left.
    virtual void KeyPress(char &key);
    // A double click of a control that takes double clicks: raises OnDblClick.
    virtual void DblClick();
    // Tells assistive technology that the state changed.
    void notifyAccessibleState();
    // Tells assistive technology that the name (accessibleText) changed.
    void notifyAccessibleName();

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void showReleased();
    void press();
    void cancelPress();
    void cancelHover();
    void mouseEntered();
    void mouseLeft();
    bool pointOnControl(int x, int y) const;
    void trackPointer(int x, int y);
    void pointerGone();
    void leftButtonDown(int x, int y, bool recognisesClick);
    void leftButtonUp(int x, int y);
    void captureMouse();
    void releaseMouse();
    void enabledChanged(bool enabled);
    void focusGained();
    void focusLost();
    void keyDown(WPARAM key);
    void keyUp(WPARAM key);
    void hidden();

    bool m_showMouseOver = true;
    bool m_hover = false;
    bool m_spaceHeld = false;
    bool m_pressed = false;
    bool m_tracking = false;
    bool m_clicksDisabled;
    bool m_clickPending = false;
    bool m_takesDoubleClicks;
    bool m_focused = false;
    int m_tag = 0;
    std::string m_accessibleName;
};
