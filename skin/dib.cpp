#include "skin/dib.h"

#include <algorithm>

namespace dib {

namespace {

BITMAPINFO info24(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

HBITMAP create24(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO info = info24(width, height);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        const int stride = (width * 3 + 3) & ~3;
        std::fill_n(static_cast<std::uint8_t *>(bits), static_cast<size_t>(stride) * height, 0xFF);
    }
    return bitmap;
}

SIZE size(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || GetObject(bitmap, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

Pixels24 read24(HBITMAP bitmap)
{
    Pixels24 pixels;
    const SIZE s = size(bitmap);
    if (s.cx <= 0 || s.cy <= 0)
        return pixels;
    pixels.width = s.cx;
    pixels.height = s.cy;
    pixels.stride = (s.cx * 3 + 3) & ~3;
    pixels.bytes.resize(static_cast<size_t>(pixels.stride) * s.cy);
    BITMAPINFO info = info24(s.cx, s.cy);
    HDC screen = CreateCompatibleDC(nullptr);
    // GetDIBits converts to the requested 24-bit layout into our buffer and leaves the bitmap's
    // own format untouched, so there is nothing to give back afterwards.
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(s.cy), pixels.bytes.data(),
                               &info, DIB_RGB_COLORS);
    DeleteDC(screen);
    if (rows != s.cy)
        return Pixels24{};
    return pixels;
}

HBITMAP copy24(HBITMAP bitmap)
{
    const Pixels24 pixels = read24(bitmap);
    if (pixels.width == 0)
        return nullptr;
    BITMAPINFO info = info24(pixels.width, pixels.height);
    void *bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (copy && bits)
        std::copy(pixels.bytes.begin(), pixels.bytes.end(), static_cast<std::uint8_t *>(bits));
    return copy;
}

std::optional<DIBSECTION> section24(HBITMAP bitmap)
{
    DIBSECTION section{};
    if (!bitmap || GetObject(bitmap, sizeof section, &section) != sizeof section)
        return std::nullopt; // not a DIB section
    if (section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 24 ||
        section.dsBm.bmPlanes != 1 || section.dsBmih.biCompression != BI_RGB)
        return std::nullopt;
    return section;
}

COLORREF bottomLeftPixel(HBITMAP bitmap)
{
    const Pixels24 pixels = read24(bitmap);
    if (pixels.width == 0)
        return RGB(255, 255, 255);
    const std::uint8_t *p = pixels.row(pixels.height - 1);
    return RGB(p[2], p[1], p[0]);
}

} // namespace dib
