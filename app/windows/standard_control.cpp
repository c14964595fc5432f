#include "app/windows/standard_control.h"

#include <unordered_map>

namespace {

// The object of each control window, looked up whenever the parent gets a
// message about the control (a label's colours at each of its paints). The
// program keeps the table itself: a window property would cost a round trip
// to the window server at every look-up under Wine. The controls live on the
// user-interface thread only.
std::unordered_map<HWND, StandardControl *> &owners()
{
    static std::unordered_map<HWND, StandardControl *> table;
    return table;
}

RECT placeInParent(HWND handle)
{
    RECT rect{};
    GetWindowRect(handle, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(handle), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

} // namespace

StandardControl::StandardControl(HWND parent, const char *className, const char *text, DWORD style,
                                 int left, int top, int width, int height, DWORD exStyle,
                                 HFONT font)
{
    // Every control clips the ones above it, so that a picture under a label
    // never paints over the label's text.
    m_handle = CreateWindowExA(exStyle, className, text,
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, left, top, width,
                               height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_handle)
        return;
    owners()[m_handle] = this;
    if (font) {
        // Not painted yet: nothing to redraw.
        m_font = font;
        SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

StandardControl::~StandardControl()
{
    if (m_part)
        owners().erase(m_part);
    if (m_handle) {
        owners().erase(m_handle);
        if (IsWindow(m_handle))
            DestroyWindow(m_handle);
    }
}

void StandardControl::answerFor(HWND part)
{
    if (m_part)
        owners().erase(m_part);
    m_part = part;
    if (part)
        owners()[part] = this;
}

StandardControl *StandardControl::fromHandle(HWND handle)
{
    if (!handle)
        return nullptr;
    const auto found = owners().find(handle);
    return found == owners().end() ? nullptr : found->second;
}

bool StandardControl::Enabled() const
{
    return IsWindowEnabled(m_handle) != FALSE;
}

void StandardControl::SetEnabled(bool enabled)
{
    EnableWindow(m_handle, enabled ? TRUE : FALSE);
}

bool StandardControl::Visible() const
{
    return (GetWindowLongPtrA(m_handle, GWL_STYLE) & WS_VISIBLE) != 0;
}

void StandardControl::SetVisible(bool visible)
{
    ShowWindow(m_handle, visible ? SW_SHOWNA : SW_HIDE);
}

void StandardControl::SetFont(HFONT font)
{
    m_font = font;
    // A hidden control is painted whole when it shows; asking it to redraw
    // now would only cost the window server a round trip (shown_repaint.h).
    SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), IsWindowVisible(m_handle));
}

int StandardControl::Left() const
{
    return placeInParent(m_handle).left;
}

int StandardControl::Top() const
{
    return placeInParent(m_handle).top;
}

int StandardControl::Width() const
{
    const RECT rect = placeInParent(m_handle);
    return rect.right - rect.left;
}

int StandardControl::Height() const
{
    const RECT rect = placeInParent(m_handle);
    return rect.bottom - rect.top;
}
