// Times the outline of a 454 x 454 background: WinRegion::FromBitmap (one region from the
// opaque runs) against the run-by-run subtraction it must equal, on the panel's own picture and
// on a drawn bezel with anti-aliased edges. Prints both figures, the ratio and whether it reaches
// the 50 times the outline is meant to be built faster, and where FromBitmap's time goes; exits
// non-zero when the two regions differ.
#include "app/artwork/artwork_bitmap.h"
#include "skin/dib.h"
#include "skin/dib_rows.h"
#include "skin/opaque_run_scanner.h"
#include "skin/run_rectangles.h"
#include "skin/run_subtraction_region.h"
#include "skin/win_region.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const COLORREF keyColour = RGB(0x15, 0x14, 0x16);

// A bezel ring with a dial hole and two bells, its edges blended into the key colour.
HBITMAP outline(int size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (size * 3 + 3) & ~3;
    auto *bytes = static_cast<std::uint8_t *>(bits);
    const double c = size / 2.0;
    auto disc = [](double x, double y, double cx, double cy, double r) {
        return std::clamp(r - std::hypot(x - cx, y - cy) + 0.5, 0.0, 1.0);
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            double cover = disc(px, py, c, c + 20, c - 30);
            cover = std::max(cover, disc(px, py, c * 0.45, c * 0.4, c * 0.3));
            cover = std::max(cover, disc(px, py, c * 1.55, c * 0.4, c * 0.3));
            cover *= 1.0 - disc(px, py, c, c + 20, c * 0.35);
            std::uint8_t *p = bytes + y * stride + 3 * x;
            auto mix = [cover](int key, int body) {
                return static_cast<std::uint8_t>(std::lround(key + (body - key) * cover));
            };
            p[0] = mix(GetBValue(keyColour), 0x84);
            p[1] = mix(GetGValue(keyColour), 0x83);
            p[2] = mix(GetRValue(keyColour), 0x83);
        }
    return bitmap;
}

double nowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The best of several runs of repeats, per build, in milliseconds.
template <typename Build> double bestMs(int runs, int repeats, Build build)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        const double start = nowMs();
        for (int i = 0; i < repeats; ++i)
            build();
        best = std::min(best, (nowMs() - start) / repeats);
    }
    return best;
}

// Times one bitmap's outline both ways and says whether they agree.
bool measure(const char *name, HBITMAP bitmap, COLORREF key)
{
    WinRegion fast;
    fast.FromBitmap(bitmap, key);
    WinRegion reference;
    RunSubtractionRegion(bitmap, key, reference);
    const bool identical = EqualRgn(fast.Handle(), reference.Handle()) != 0;
    const DWORD bytes = GetRegionData(fast.Handle(), 0, nullptr);

    const double fastMs = bestMs(7, 50, [&] {
        WinRegion region;
        region.FromBitmap(bitmap, key);
    });
    const double referenceMs = bestMs(5, 2, [&] {
        WinRegion region;
        RunSubtractionRegion(bitmap, key, region);
    });
    // Where FromBitmap's time goes: finding the runs, and making the region of them.
    RunRectangles rectangles;
    const double scanMs =
        bestMs(7, 50, [&] { rectangles = RunRectangles::OfOpaquePixels(bitmap, key); });
    const double rowsMs = bestMs(7, 50, [&] { const DibRows rows(bitmap); });
    const double createMs = bestMs(7, 50, [&] { DeleteObject(rectangles.CreateRegion()); });
    const double ratio = referenceMs / fastMs;
    std::printf("%s (region data %lu bytes)\n", name, static_cast<unsigned long>(bytes));
    std::printf("  identical to the run-by-run region (EqualRgn): %s\n", identical ? "yes" : "NO");
    std::printf("  FromBitmap:              %9.4f ms\n", fastMs);
    std::printf("    finding the runs:      %9.4f ms\n", scanMs);
    std::printf("      of which the rows:   %9.4f ms\n", rowsMs);
    std::printf("    making the region:     %9.4f ms\n", createMs);
    std::printf("  run-by-run reference:    %9.4f ms\n", referenceMs);
    std::printf("  ratio:                   %9.1f x (target at least 50 x: %s)\n", ratio,
                ratio >= 50.0 ? "met" : "NOT met");
    return identical;
}

} // namespace

int main()
{
    const char *method = OpaqueRunScanner::Fastest() == OpaqueRunScanner::Method::Sse2
                             ? "16 pixels at a time (SSE2)"
                             : "a machine word at a time";
    std::printf("runs found %s\n", method);
    bool identical = true;
    if (HBITMAP panel = loadArtworkBitmap("frmVesperin/imgBg")) {
        identical &= measure("the panel's picture, 454 x 454", panel, dib::bottomLeftPixel(panel));
        DeleteObject(panel);
    } else {
        std::printf("the panel's picture is not in this program\n");
        identical = false;
    }
    HBITMAP bezel = outline(454);
    identical &= measure("a drawn bezel, 454 x 454", bezel, keyColour);
    DeleteObject(bezel);
    return identical ? 0 : 1;
}
