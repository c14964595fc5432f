#include "skin/win_region.h"

#include "skin/dib.h"
#include "skin/skin_assert.h"

#include <cstdint>
#include <vector>

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
    const dib::Pixels24 pixels = dib::read24(bitmap);
    const std::uint8_t red = GetRValue(colour);
    const std::uint8_t green = GetGValue(colour);
    const std::uint8_t blue = GetBValue(colour);

    // One rectangle per horizontal run of opaque pixels, in row order, left to right: the
    // y-x banded order the window system keeps regions in, so the region is made in one call.
    std::vector<RECT> runs;
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t *row = pixels.row(y);
        auto transparent = [&](int x) {
            const std::uint8_t *p = row + 3 * x;
            return p[0] == blue && p[1] == green && p[2] == red;
        };
        int x = 0;
        while (x < pixels.width) {
            while (x < pixels.width && transparent(x))
                ++x;
            const int start = x;
            while (x < pixels.width && !transparent(x))
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    if (runs.empty()) {
        SetRect(0, 0, 0, 0);
        return;
    }

    std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto *data = reinterpret_cast<RGNDATA *>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(runs.size());
    data->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    data->rdh.rcBound = RECT{0, 0, pixels.width, pixels.height};
    std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT *>(data->Buffer));
    HRGN hrgn = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
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
