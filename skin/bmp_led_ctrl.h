#pragma once

#include "skin/gdi_handle.h"

#include <windows.h>

#include <functional>
#include <vector>

// The state-bitmap display of a skinned control: a fixed number of state bitmaps (24-bit DIB
// sections, empty at first), the current state, and the surface (24 bits per pixel) onto which
// the current state's bitmap is copied and from which the control paints. The surface lies at
// the control's (0, 0); the control paints it itself, so all mouse input goes to the control.
//
// Every change of a state bitmap runs the change handler with the bitmap's index. The display
// installs its own (redraw when the current state's bitmap changed); the control replaces it and
// calls the display's own from its handler.
class TBmpLEDCtrl
{
public:
    using ChangeHandler = std::function<void(int index)>;

    // host is the window that shows the surface and is repainted when it changes.
    TBmpLEDCtrl(HWND host, int stateCount);
    TBmpLEDCtrl(const TBmpLEDCtrl &) = delete;
    TBmpLEDCtrl &operator=(const TBmpLEDCtrl &) = delete;

    int StateCount() const { return static_cast<int>(m_bitmaps.size()); }
    int State() const { return m_state; }
    // Shows state i: its bitmap is copied onto the surface at (0, 0). Nothing happens when i is
    // the current state.
    void SetState(int state);
    // Copies the current state's bitmap onto the surface again and repaints.
    void Redraw();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Resizes the surface; an area newly exposed right of the old width or below the old height
    // is white.
    void Resize(int width, int height);

    // The live state bitmap at index (null while empty).
    HBITMAP Bitmap(int index) const;
    bool IsEmpty(int index) const;
    // Replaces the state bitmap at index (owned, a 24-bit DIB section or null) and runs the
    // change handler.
    void SetBitmap(int index, HBITMAP bitmap);

    const ChangeHandler &changeHandler() const { return m_changeHandler; }
    void setChangeHandler(ChangeHandler handler) { m_changeHandler = std::move(handler); }

    bool transparent() const { return m_transparent; }
    void setTransparent(bool value) { m_transparent = value; }
    // The transparent colour, red, green and blue only.
    COLORREF transparentColor() const { return m_transparentColor; }
    void setTransparentColor(COLORREF colour) { m_transparentColor = colour & 0xFFFFFF; }

    // The surface, to draw on (captions) and to paint from; null while 0 x 0.
    // It holds the current state's bitmap whenever it is asked for.
    HBITMAP Surface() const;
    // Paints the surface into a device context at (0, 0).
    void PaintTo(HDC dc) const;

private:
    // Copies the current state's bitmap onto the surface and repaints the
    // host, or, while the host cannot be seen, leaves both until the surface
    // is next asked for: a hidden control that changes its pictures many
    // times (as each is loaded) copies only the last of them.
    void showCurrent();
    void copyCurrentToSurface() const;
    void bitmapChanged(int index);
    void checkIndex(int index) const;

    HWND m_host;
    std::vector<BitmapHandle> m_bitmaps;
    int m_state = 0;
    BitmapHandle m_surface;
    // The surface still shows an earlier state or bitmap.
    mutable bool m_surfaceStale = false;
    int m_width = 0;
    int m_height = 0;
    bool m_transparent = false;
    COLORREF m_transparentColor = RGB(255, 255, 255);
    ChangeHandler m_changeHandler;
};
