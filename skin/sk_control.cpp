#include "skin/sk_control.h"

#include "skin/sk_accessible.h"

#include <windowsx.h>

SkControl::SkControl(HWND parent, int left, int top, const char *className, UINT classStyle,
                     bool clicksDisabled, const SkWindowShape &shape)
    : m_clicksDisabled(clicksDisabled), m_takesDoubleClicks((classStyle & CS_DBLCLKS) != 0)
{
    // A tab stop by default, so Tab in a dialog reaches it and a press takes the focus.
    create(className, classStyle,
           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (shape.tabStop ? WS_TABSTOP : 0), 0, parent,
           left, top, shape.width, shape.height);
}

SkControl::~SkControl()
{
    if (Handle() && GetCapture() == Handle())
        ReleaseCapture();
}

bool SkControl::HitTest(int x, int y) const
{
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

void SkControl::Click()
{
    if (OnClick)
        OnClick();
}

bool SkControl::Enabled() const
{
    return IsWindowEnabled(Handle()) != 0;
}

void SkControl::SetEnabled(bool value)
{
    // The look follows WM_ENABLE, which the window system sends only for a real change.
    EnableWindow(Handle(), value ? TRUE : FALSE);
}

bool SkControl::Visible() const
{
    return (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void SkControl::SetVisible(bool value)
{
    ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE);
}

namespace {

RECT boundsInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

} // namespace

int SkControl::Left() const
{
    return boundsInParent(Handle()).left;
}

int SkControl::Top() const
{
    return boundsInParent(Handle()).top;
}

int SkControl::Width() const
{
    RECT rect{};
    GetClientRect(Handle(), &rect);
    return rect.right;
}

int SkControl::Height() const
{
    RECT rect{};
    GetClientRect(Handle(), &rect);
    return rect.bottom;
}

void SkControl::SetBounds(int left, int top, int width, int height)
{
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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

void SkControl::SetAccessibleName(std::string name)
{
    const std::string before = accessibleText();
    m_accessibleName = std::move(name);
    if (accessibleText() != before)
        notifyAccessibleName();
}

int SkControl::accessibleRole() const
{
    return SkAccessible::kPushButton;
}

std::string SkControl::accessibleText() const
{
    return m_accessibleName.empty() ? accessibleCaption() : m_accessibleName;
}

void SkControl::KeyPress(char &key)
{
    if (OnKeyPress)
        OnKeyPress(key);
}

void SkControl::DblClick()
{
    if (OnDblClick)
        OnDblClick();
}

void SkControl::notifyAccessibleState()
{
    SkAccessible::notifyStateChange(Handle());
}

void SkControl::notifyAccessibleName()
{
    SkAccessible::notifyNameChange(Handle());
}

void SkControl::showReleased()
{
    if (isHot() || m_focused)
        ShowFocused();
    else
        ShowRaised();
}

void SkControl::press()
{
    if (!m_focused && (GetWindowLongA(Handle(), GWL_STYLE) & WS_TABSTOP))
        SetFocus(Handle());
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
        m_tracking = false;
        releaseMouse();
    }
}

void SkControl::cancelHover()
{
    if (!m_hover)
        return;
    m_hover = false;
    if (m_pressed)
        return;
    if (!m_focused && m_showMouseOver)
        ShowRaised();
    releaseMouse();
}

void SkControl::mouseEntered()
{
    // A control that shows no presses shows the hover look when the held button comes back.
    if (m_tracking && !m_clicksDisabled) {
        press();
        m_pressed = true;
    } else if (m_showMouseOver && !m_focused) {
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
    } else if (!m_focused && m_showMouseOver) {
        ShowRaised();
    }
}

void SkControl::captureMouse()
{
    if (GetCapture() != Handle())
        SetCapture(Handle());
    // Leave tracking tells of the pointer going should the capture be taken away unnoticed.
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, Handle(), 0};
    TrackMouseEvent(&track);
}

void SkControl::releaseMouse()
{
    if (GetCapture() == Handle())
        ReleaseCapture();
}

bool SkControl::pointOnControl(int x, int y) const
{
    if (!HitTest(x, y))
        return false;
    // While the control holds the capture it hears of every move, also over a window that lies
    // on top of it: there the pointer is not on this control.
    POINT screen{x, y};
    ClientToScreen(Handle(), &screen);
    return WindowFromPoint(screen) == Handle();
}

void SkControl::trackPointer(int x, int y)
{
    if (!(m_showMouseOver || !m_clicksDisabled))
        return;
    const bool inside = pointOnControl(x, y);
    if (inside && !m_hover) {
        mouseEntered();
        if (!m_tracking)
            captureMouse();
    } else if (!inside && m_hover) {
        mouseLeft();
        if (!m_tracking)
            releaseMouse();
    }
}

void SkControl::pointerGone()
{
    if (m_hover || m_tracking)
        mouseLeft();
    m_tracking = false;
}

void SkControl::leftButtonDown(int x, int y, bool recognisesClick)
{
    if (!HitTest(x, y))
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
    // The press owns the pointer until the button is released, wherever it goes.
    captureMouse();
}

void SkControl::leftButtonUp(int x, int y)
{
    if (!m_clicksDisabled) {
        if (m_pressed && !m_spaceHeld)
            showReleased();
        m_pressed = false;
    }
    const bool inside = pointOnControl(x, y);
    const bool click = m_clickPending && inside;
    m_clickPending = false;
    m_tracking = false;
    // Kept while the pointer stays over the control, to see it leave; released otherwise.
    if (!inside || !m_hover) {
        if (m_hover)
            mouseLeft();
        releaseMouse();
    }
    if (click)
        Click();
}

void SkControl::enabledChanged(bool enabled)
{
    if (enabled) {
        ShowRaised();
    } else {
        cancelPress();
        cancelHover();
        ShowDisabled();
    }
    notifyAccessibleState();
}

void SkControl::focusGained()
{
    m_focused = true;
    if (!isPressed() && !isHot())
        ShowFocused();
    notifyAccessibleState();
}

void SkControl::focusLost()
{
    m_focused = false;
    if (isPressed()) {
        if (!m_pressed) {
            showReleased();
            m_spaceHeld = false;
        }
    } else if (!isHot()) {
        ShowRaised();
    }
    notifyAccessibleState();
}

void SkControl::keyDown(WPARAM key)
{
    if (key == VK_SPACE && !m_clicksDisabled) {
        m_spaceHeld = true;
        if (!m_pressed)
            press();
    }
}

void SkControl::keyUp(WPARAM key)
{
    if (key == VK_SPACE && !m_clicksDisabled && !m_pressed) {
        if (m_spaceHeld)
            showReleased();
        m_spaceHeld = false;
    }
}

void SkControl::hidden()
{
    // A hidden control sees neither the release of the button nor that of the key.
    m_clickPending = false;
    if (m_spaceHeld && !m_pressed)
        showReleased();
    m_spaceHeld = false;
    pointerGone();
    releaseMouse();
}

LRESULT SkControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const MouseEvent event{0, static_cast<unsigned>(wParam), GET_X_LPARAM(lParam),
                           GET_Y_LPARAM(lParam)};
    auto raise = [&](const MouseHandler &handler, int button) {
        if (handler) {
            MouseEvent copy = event;
            copy.button = button;
            handler(copy);
        }
    };
    switch (message) {
    case WM_LBUTTONDOWN:
        leftButtonDown(event.x, event.y, true);
        raise(OnMouseDown, 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        // Only controls that take double clicks get this: the second press double-clicks
        // instead of clicking again.
        leftButtonDown(event.x, event.y, false);
        if (HitTest(event.x, event.y))
            DblClick();
        raise(OnMouseDown, 0);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        raise(OnMouseDown, 1);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        raise(OnMouseDown, 2);
        return 0;
    case WM_LBUTTONUP:
        leftButtonUp(event.x, event.y);
        raise(OnMouseUp, 0);
        return 0;
    case WM_RBUTTONUP:
        raise(OnMouseUp, 1);
        return 0;
    case WM_MBUTTONUP:
        raise(OnMouseUp, 2);
        return 0;
    case WM_MOUSEMOVE:
        trackPointer(event.x, event.y);
        return 0;
    case WM_MOUSELEAVE:
        // While the button is held the capture delivers every move; leave matters otherwise,
        // and then the hover's capture goes too, or the next click anywhere would come here.
        if (!m_tracking) {
            if (m_hover)
                mouseLeft();
            releaseMouse();
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle()) {
            // A press that lost the pointer to another window no longer clicks.
            m_clickPending = false;
            if (m_hover || m_tracking)
                mouseLeft();
            m_tracking = false;
        }
        return 0;
    case WM_SETFOCUS:
        focusGained();
        return 0;
    case WM_KILLFOCUS:
        focusLost();
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_KEYUP:
        keyUp(wParam);
        return 0;
    case WM_CHAR: {
        char key = static_cast<char>(wParam);
        KeyPress(key);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS;
    case WM_ENABLE:
        enabledChanged(wParam != 0);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam)
            hidden();
        return SkWindow::handleMessage(message, wParam, lParam);
    case SkAccessible::DefaultActionMessage:
        // A screen reader's default action, posted from its call: a click as
        // the user's would be, so only while the user could click.
        if (Enabled() && IsWindowVisible(Handle()))
            Click();
        return 0;
    case WM_GETOBJECT:
        return SkAccessible::answer(*this, wParam, lParam, [&] {
            return SkWindow::handleMessage(message, wParam, lParam);
        });
    default:
        return SkWindow::handleMessage(message, wParam, lParam);
    }
}
