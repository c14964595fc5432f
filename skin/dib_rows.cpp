#include "skin/dib_rows.h"

#include <cstring>

DibRows::DibRows(HBITMAP bitmap)
{
    if (bitmap == nullptr || readInPlace(bitmap))
        return;
    m_copy = dib::read24(bitmap);
    m_width = m_copy.width;
    m_height = m_copy.height;
    m_top = m_copy.bytes.data();
    m_step = m_copy.stride;
}

bool DibRows::readInPlace(HBITMAP bitmap)
{
    const std::optional<DIBSECTION> section = dib::section24(bitmap);
    if (!section)
        return false;
    const BITMAP &bits = section->dsBm;
    if (bits.bmWidth <= 0 || bits.bmHeight <= 0 || bits.bmWidthBytes < 3 * bits.bmWidth)
        return false;
    // Drawing through GDI may still be queued; the bits must hold it before they are read.
    GdiFlush();
    m_width = bits.bmWidth;
    m_height = bits.bmHeight;
    const auto *first = static_cast<const std::uint8_t *>(bits.bmBits);
    bool topDown = true;
    if (!rowsRunTopDown(bitmap, first, bits.bmWidthBytes, topDown))
        return false;
    if (topDown) {
        m_top = first;
        m_step = bits.bmWidthBytes;
    } else {
        m_top = first + static_cast<std::ptrdiff_t>(m_height - 1) * bits.bmWidthBytes;
        m_step = -static_cast<std::ptrdiff_t>(bits.bmWidthBytes);
    }
    return true;
}

bool DibRows::rowsRunTopDown(HBITMAP bitmap, const std::uint8_t *first, int stride,
                             bool &topDown) const
{
    // GetObject gives a DIB section's height without the sign that says which way its rows lie
    // in memory. One pixel that differs from its mirror image across the middle row tells: the
    // system is asked for it. A picture that is its own mirror image reads the same either way.
    const size_t rowBytes = static_cast<size_t>(3) * m_width;
    for (int y = 0; y < m_height / 2; ++y) {
        const std::uint8_t *upper = first + static_cast<std::ptrdiff_t>(y) * stride;
        const std::uint8_t *lower = first + static_cast<std::ptrdiff_t>(m_height - 1 - y) * stride;
        if (std::memcmp(upper, lower, rowBytes) == 0)
            continue;
        int x = 0;
        while (std::memcmp(upper + 3 * x, lower + 3 * x, 3) == 0)
            ++x;
        const COLORREF shown = pixelShownAt(bitmap, x, y);
        if (shown == colourOf(upper + 3 * x))
            topDown = true;
        else if (shown == colourOf(lower + 3 * x))
            topDown = false;
        else
            return false; // the bitmap is in use elsewhere: read it through a copy
        return true;
    }
    topDown = true;
    return true;
}

COLORREF DibRows::pixelShownAt(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return CLR_INVALID;
    COLORREF colour = CLR_INVALID;
    // A bitmap selected into another device context cannot be selected here.
    if (HGDIOBJ old = SelectObject(dc, bitmap)) {
        colour = GetPixel(dc, x, y);
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    return colour;
}
