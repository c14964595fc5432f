#include "skin/sk_custom_control.h"

#include "skin/dib.h"

SkCustomControl::SkCustomControl(HWND parent, int left, int top, const char *className,
                                 UINT classStyle, bool clicksDisabled, int stateCount,
                                 const SkWindowShape &shape)
    : SkControl(parent, left, top, className, classStyle, clicksDisabled, shape),
      m_display(Handle(), stateCount)
{
    m_savedBitmapChange = m_display.changeHandler();
    m_display.setChangeHandler([this](int index) { BitmapChanged(index); });
    UpdateOutline();
    // A control created inside a disabled parent window shows the disabled look.
    if (!IsWindowEnabled(parent))
        ShowDisabled();
}

void SkCustomControl::ShowBitmap(int index)
{
    m_requestedState = index;
    while (index != 0 && m_display.IsEmpty(index))
        index = Substitute(index);
    m_display.SetState(index);
}

int SkCustomControl::Substitute(int) const
{
    return 0;
}

void SkCustomControl::SetTransparent(bool value)
{
    if (value == m_display.transparent())
        return;
    m_display.setTransparent(value);
    UpdateOutline();
}

void SkCustomControl::SetTransparentColor(COLORREF colour)
{
    m_display.setTransparentColor(colour);
    UpdateOutline();
}

bool SkCustomControl::HitTest(int x, int y) const
{
    return m_outline.Contains(x, y);
}

void SkCustomControl::SetStateBitmap(int index, HBITMAP bitmap)
{
    // A 24-bit section, as every picture of the artwork is, is kept as it
    // comes; any other bitmap is copied into one.
    if (dib::section24(bitmap)) {
        m_display.SetBitmap(index, bitmap);
        return;
    }
    HBITMAP copy = dib::copy24(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    m_display.SetBitmap(index, copy);
}

void SkCustomControl::SetBitmap(HBITMAP bitmap, int index)
{
    if (index == 0 && bitmap)
        m_display.setTransparentColor(dib::bottomLeftPixel(bitmap));
    m_display.SetBitmap(index, dib::copy24(bitmap));
}

void SkCustomControl::Repaint()
{
    m_display.Redraw();
}

void SkCustomControl::BitmapChanged(int index)
{
    if (index != 0) {
        if (index == m_requestedState)
            ShowBitmap(index);
        if (m_savedBitmapChange)
            m_savedBitmapChange(index);
        // A look not on show changes nothing on the screen: it is drawn
        // when it comes to show.
        if (index != m_display.State())
            return;
    } else {
        const SIZE size = dib::size(m_display.Bitmap(0));
        m_display.Resize(size.cx, size.cy);
        if (m_savedBitmapChange)
            m_savedBitmapChange(0);
        const bool sized = size.cx > 0 && size.cy > 0;
        const bool resized = sized && (size.cx != Width() || size.cy != Height());
        if (sized)
            SetBounds(Left(), Top(), size.cx, size.cy);
        // A new size has made the outline anew (WM_SIZE); at the same size
        // the new picture replaces the old outline here.
        if (!resized)
            UpdateOutline();
        // The state shown may have fallen back to state 0, which just changed.
        ShowBitmap(m_requestedState);
    }
    // The subclass's repaint runs after the display's redraw, so what it draws over the state
    // bitmap (a caption) survives any bitmap change.
    Repaint();
}

void SkCustomControl::UpdateOutline()
{
    const bool emptyRaised = m_display.IsEmpty(0);
    if (!m_display.transparent())
        m_outline.SetRect(0, 0, Width(), Height());
    else if (emptyRaised)
        m_outline.SetRect(0, 0, 0, 0);
    else
        m_outline.FromBitmap(m_display.Bitmap(0), m_display.transparentColor());
    if (m_display.transparent() && !emptyRaised) {
        m_outline.ApplyToWindow(Handle(), true);
        m_windowCut = true;
    } else if (m_windowCut) {
        // A window that was never cut has no region to give up: the call,
        // a round trip to the window system, is left out (most controls
        // are opaque and come here at each of their first few changes).
        SetWindowRgn(Handle(), nullptr, TRUE);
        m_windowCut = false;
    }
}

void SkCustomControl::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    m_display.PaintTo(dc);
    EndPaint(Handle(), &ps);
}

LRESULT SkCustomControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_WINDOWPOSCHANGING: {
        auto *pos = reinterpret_cast<WINDOWPOS *>(lParam);
        if (!(pos->flags & SWP_NOSIZE) && !m_display.IsEmpty(0)) {
            pos->cx = m_display.Width();
            pos->cy = m_display.Height();
        }
        return SkControl::handleMessage(message, wParam, lParam);
    }
    case WM_SIZE:
        UpdateOutline();
        return 0;
    default:
        return SkControl::handleMessage(message, wParam, lParam);
    }
}
