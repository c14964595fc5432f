#pragma once

#include <windows.h>

// Owns one region of the window system (an HRGN that is never null while the object lives) with
// the few operations the skin toolkit needs: the outline of a shaped window and of a transparent
// skinned control, and the hit testing against it. Every region call is checked; a failure stops
// the program with an assertion message. Copies own their own region.
class WinRegion
{
public:
    // An empty region: the rectangle (0, 0, 0, 0).
    WinRegion();
    WinRegion(const WinRegion &other);
    WinRegion &operator=(const WinRegion &other);
    ~WinRegion();

    // Makes the region exactly the rectangle from (left, top) to (right, bottom), right and
    // bottom excluded.
    void SetRect(int left, int top, int right, int bottom);
    // This region minus other.
    void Subtract(const WinRegion &other);
    void Offset(int dx, int dy);

    // Makes the region the bitmap's rectangle minus its pixels whose red, green and blue equal
    // the colour's exactly (the colour's top byte is ignored). The bitmap is read as 24 bits per
    // pixel whatever its format and is left unchanged. The region is the one that subtracting
    // every transparent run one by one gives, built in one step from the opaque runs.
    void FromBitmap(HBITMAP bitmap, COLORREF colour);

    // Gives the window a fresh copy of the region as its window region; the window system owns
    // the copy, this object keeps its own.
    void ApplyToWindow(HWND window, bool redraw) const;

    bool Contains(int x, int y) const;
    bool IsEmpty() const;
    HRGN Handle() const { return m_handle; }

private:
    void copyFrom(HRGN source);

    HRGN m_handle;
};
