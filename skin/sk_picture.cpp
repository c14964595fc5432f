#include "skin/sk_picture.h"

#include "skin/shown_repaint.h"

#include "skin/dib.h"

#include <windowsx.h>

namespace {

MouseEvent mouseEvent(int button, WPARAM wParam, LPARAM lParam)
{
    return MouseEvent{button, static_cast<unsigned>(wParam), GET_X_LPARAM(lParam),
                      GET_Y_LPARAM(lParam)};
}

void raise(const SkPicture::MouseHandler &handler, const MouseEvent &event)
{
    if (handler)
        handler(event);
}

} // namespace

SkPicture::SkPicture(HWND parent, int left, int top, HBITMAP bitmap) : m_bitmap(bitmap)
{
    const SIZE size = dib::size(bitmap);
    create("SkPicture", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, left, top, size.cx,
           size.cy);
}

void SkPicture::SetBitmap(HBITMAP bitmap)
{
    m_bitmap.reset(bitmap);
    const SIZE size = dib::size(bitmap);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShownRepaint::invalidate(Handle(), FALSE);
}

COLORREF SkPicture::TransparentColor() const
{
    return m_transparentColorSet ? m_transparentColor : dib::bottomLeftPixel(m_bitmap.get());
}

void SkPicture::SetTransparentColor(COLORREF colour)
{
    m_transparentColorSet = true;
    m_transparentColor = colour & 0xFFFFFF;
}

void SkPicture::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (m_bitmap) {
        MemoryDC source;
        SelectedObject selected(source.get(), m_bitmap.get());
        const SIZE size = dib::size(m_bitmap.get());
        BitBlt(dc, 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
    EndPaint(Handle(), &ps);
}

LRESULT SkPicture::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        raise(OnMouseDown, mouseEvent(0, wParam, lParam));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        raise(OnMouseDown, mouseEvent(1, wParam, lParam));
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        raise(OnMouseDown, mouseEvent(2, wParam, lParam));
        return 0;
    case WM_LBUTTONUP:
        raise(OnMouseUp, mouseEvent(0, wParam, lParam));
        return 0;
    case WM_RBUTTONUP:
        raise(OnMouseUp, mouseEvent(1, wParam, lParam));
        return 0;
    case WM_MBUTTONUP:
        raise(OnMouseUp, mouseEvent(2, wParam, lParam));
        return 0;
    case WM_MOUSEMOVE:
        raise(OnMouseMove, mouseEvent(0, wParam, lParam));
        return 0;
    default:
        return SkWindow::handleMessage(message, wParam, lParam);
    }
}
