#pragma once

#include "skin/dib.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The rows of any bitmap as 24-bit pixels (blue, green, red), top row first. A 24-bit DIB
// section, which every picture of the skin is, is read in place; any other bitmap is read
// through a 24-bit copy. The bitmap must outlive the object and stay unchanged while it is read.
class DibRows
{
public:
    explicit DibRows(HBITMAP bitmap);
    DibRows(const DibRows &) = delete;
    DibRows &operator=(const DibRows &) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The 3 * Width() bytes of row y, 0 <= y < Height().
    const std::uint8_t *Row(int y) const { return m_top + static_cast<std::ptrdiff_t>(y) * m_step; }

private:
    bool readInPlace(HBITMAP bitmap);
    bool rowsRunTopDown(HBITMAP bitmap, const std::uint8_t *first, int stride, bool &topDown) const;
    static COLORREF pixelShownAt(HBITMAP bitmap, int x, int y);
    static COLORREF colourOf(const std::uint8_t *pixel)
    {
        return RGB(pixel[2], pixel[1], pixel[0]);
    }

    dib::Pixels24 m_copy;
    int m_width = 0;
    int m_height = 0;
    const std::uint8_t *m_top = nullptr;
    std::ptrdiff_t m_step = 0;
};
