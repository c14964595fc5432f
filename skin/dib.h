#pragma once

#include "skin/gdi_handle.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

// Helpers for the 24-bit device-independent bitmaps the skin toolkit keeps its pictures in.
namespace dib {

// The pixels of a bitmap as 24-bit rows, top row first, each pixel blue, green, red, each row
// padded to a multiple of four bytes.
struct Pixels24
{
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint8_t> bytes;

    const std::uint8_t *row(int y) const { return bytes.data() + static_cast<size_t>(y) * stride; }
};

// A new 24-bit top-down DIB section of the size, white, or null for an empty size.
HBITMAP create24(int width, int height);
// The size of any bitmap; 0 x 0 for null.
SIZE size(HBITMAP bitmap);
inline bool isEmpty(HBITMAP bitmap)
{
    const SIZE s = size(bitmap);
    return s.cx <= 0 || s.cy <= 0;
}
// Reads any bitmap (monochrome, palette, 16, 24 or 32 bits) as 24 bits per pixel. The bitmap
// itself is left as it is.
Pixels24 read24(HBITMAP bitmap);
// A 24-bit DIB section copy of any bitmap, or null for an empty one.
HBITMAP copy24(HBITMAP bitmap);
// The description of a DIB section of 24 uncompressed bits a pixel, its rows either way up;
// nothing for any other bitmap.
std::optional<DIBSECTION> section24(HBITMAP bitmap);
// The colour of the bottom-left pixel (white for an empty bitmap), as a COLORREF.
COLORREF bottomLeftPixel(HBITMAP bitmap);

} // namespace dib
