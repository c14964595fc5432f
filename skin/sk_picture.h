#pragma once

#include "skin/gdi_handle.h"
#include "skin/mouse_event.h"
#include "skin/sk_window.h"

#include <functional>

// A child window that shows one bitmap at its natural size: the background picture of a shaped
// window (imgBg) and the other pictures of the windows. It takes the mouse and reports presses,
// moves and releases of every button through its handlers.
class SkPicture : public SkWindow
{
public:
    using MouseHandler = std::function<void(const MouseEvent &)>;

    // bitmap is owned from here on; it may be null (an empty picture).
    SkPicture(HWND parent, int left, int top, HBITMAP bitmap);

    HBITMAP Bitmap() const { return m_bitmap.get(); }
    // Replaces the bitmap (owned) and takes its size.
    void SetBitmap(HBITMAP bitmap);

    // The colour set with SetTransparentColor, or else the bitmap's bottom-left pixel (white
    // for an empty picture).
    COLORREF TransparentColor() const;
    void SetTransparentColor(COLORREF colour);

    MouseHandler OnMouseDown, OnMouseMove, OnMouseUp;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint();

    BitmapHandle m_bitmap;
    bool m_transparentColorSet = false;
    COLORREF m_transparentColor = 0;
};
