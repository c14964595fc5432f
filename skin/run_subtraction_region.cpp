#include "skin/run_subtraction_region.h"

#include "skin/dib.h"

#include <cstdint>

void RunSubtractionRegion(HBITMAP bitmap, COLORREF colour, WinRegion &region)
{
    const dib::Pixels24 pixels = dib::read24(bitmap);
    const std::uint8_t red = GetRValue(colour);
    const std::uint8_t green = GetGValue(colour);
    const std::uint8_t blue = GetBValue(colour);
    region.SetRect(0, 0, pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t *row = pixels.row(y);
        auto transparent = [&](int x) {
            const std::uint8_t *p = row + 3 * x;
            return p[0] == blue && p[1] == green && p[2] == red;
        };
        int x = 0;
        while (x < pixels.width) {
            while (x < pixels.width && !transparent(x))
                ++x;
            const int start = x;
            while (x < pixels.width && transparent(x))
                ++x;
            if (x > start) {
                WinRegion run;
                run.SetRect(start, y, x, y + 1);
                region.Subtract(run);
            }
        }
    }
}
