#include "skin/win_region.h"

#include "skin/run_rectangles.h"
#include "skin/skin_assert.h"

namespace {

HRGN createEmptyRegion()
{
    HRGN hrgn = CreateRectRgn(0, 0, 0, 0);
    SKIN_ASSERT(hrgn != NULL);
    return hrgn;
}

} // namespace

WinRegion::WinRegion() : m_handle(createEmptyRegion()) {}

WinRegion::WinRegion(const WinRegion &other) : m_handle(createEmptyRegion())
{
    copyFrom(other.m_handle);
}

WinRegion &WinRegion::operator=(const WinRegion &other)
{
    if (this != &other)
        copyFrom(other.m_handle);
    return *this;
}

WinRegion::~WinRegion()
{
    DeleteObject(m_handle);
}

void WinRegion::copyFrom(HRGN source)
{
    const int combineResult = CombineRgn(m_handle, source, nullptr, RGN_COPY);
    SKIN_ASSERT(combineResult != ERROR);
}

void WinRegion::SetRect(int left, int top, int right, int bottom)
{
    const BOOL result = SetRectRgn(m_handle, left, top, right, bottom);
    SKIN_ASSERT(result != 0);
}

void WinRegion::Subtract(const WinRegion &other)
{
    const int combineResult = CombineRgn(m_handle, m_handle, other.m_handle, RGN_DIFF);
    SKIN_ASSERT(combineResult != ERROR);
}

void WinRegion::Offset(int dx, int dy)
{
    const int result = OffsetRgn(m_handle, dx, dy);
    SKIN_ASSERT(result != ERROR);
}

void WinRegion::FromBitmap(HBITMAP bitmap, COLORREF colour)
{
    // The opaque runs, row by row, become rectangles that grow down while a run stays in place,
    // and the region is made from them in one call: the same area as the full rectangle less
    // every transparent run, one subtraction at a time, in a small part of the time.
    HRGN hrgn = RunRectangles::OfOpaquePixels(bitmap, colour).CreateRegion();
    SKIN_ASSERT(hrgn != NULL);
    // The new region replaces the old one; the object keeps owning exactly one handle.
    DeleteObject(m_handle);
    m_handle = hrgn;
}

void WinRegion::ApplyToWindow(HWND window, bool redraw) const
{
    HRGN copy = createEmptyRegion();
    const int combineResult = CombineRgn(copy, m_handle, nullptr, RGN_COPY);
    SKIN_ASSERT(combineResult != ERROR);
    // The window system owns the copy from here on; the result is not checked.
    if (!SetWindowRgn(window, copy, redraw ? TRUE : FALSE))
        DeleteObject(copy);
}

bool WinRegion::Contains(int x, int y) const
{
    return PtInRegion(m_handle, x, y) != 0;
}

bool WinRegion::IsEmpty() const
{
    RECT box;
    return GetRgnBox(m_handle, &box) == NULLREGION;
}
