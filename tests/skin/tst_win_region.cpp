#include "skin/bmp_led_ctrl.h"
#include "skin/run_subtraction_region.h"
#include "skin/win_region.h"
#include "skin_test_support.h"

#include <random>
#include <vector>

using skintest::solid;

namespace {

const COLORREF key = RGB(0x15, 0x15, 0x16);

bool sameRegion(const WinRegion &a, const WinRegion &b)
{
    return EqualRgn(a.Handle(), b.Handle()) != 0;
}

// Every pixel of the bitmap lies in the region exactly when it is opaque.
::testing::AssertionResult coversOpaquePixels(const WinRegion &region, HBITMAP bitmap,
                                              COLORREF colour)
{
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (int y = 0; y < std::abs(info.bmHeight) && result; ++y)
        for (int x = 0; x < info.bmWidth && result; ++x) {
            const bool opaque = (GetPixel(dc, x, y) & 0xFFFFFF) != (colour & 0xFFFFFF);
            if (region.Contains(x, y) != opaque)
                result = ::testing::AssertionFailure() << "pixel " << x << "," << y;
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return result;
}

// A 24-bit section of the same pixels whose rows lie bottom-up in memory.
HBITMAP bottomUpCopy(HBITMAP bitmap)
{
    BITMAP source{};
    GetObject(bitmap, sizeof source, &source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = source.bmWidth;
    info.bmiHeader.biHeight = source.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, copy);
    BitBlt(to, 0, 0, source.bmWidth, source.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return copy;
}

HBITMAP dibOfDepth(int width, int height, int bits, COLORREF fill, COLORREF dot)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.colours[0] = RGBQUAD{GetBValue(fill), GetGValue(fill), GetRValue(fill), 0};
    info.colours[1] = RGBQUAD{GetBValue(dot), GetGValue(dot), GetRValue(dot), 0};
    void *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&info),
                                      DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SetPixelV(dc, 2, 1, dot);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

} // namespace

TEST(WinRegion, RectangleSubtractOffsetContains)
{
    WinRegion region;
    EXPECT_TRUE(region.IsEmpty());
    region.SetRect(0, 0, 10, 5);
    EXPECT_TRUE(region.Contains(0, 0));
    EXPECT_TRUE(region.Contains(9, 4));
    EXPECT_FALSE(region.Contains(10, 4));
    EXPECT_FALSE(region.Contains(9, 5));

    WinRegion hole;
    hole.SetRect(2, 1, 4, 2);
    region.Subtract(hole);
    EXPECT_FALSE(region.Contains(2, 1));
    EXPECT_FALSE(region.Contains(3, 1));
    EXPECT_TRUE(region.Contains(4, 1));
    EXPECT_TRUE(region.Contains(2, 2));

    region.Offset(-63, -10);
    EXPECT_TRUE(region.Contains(-63, -10));
    EXPECT_FALSE(region.Contains(-61, -9));
    EXPECT_FALSE(region.Contains(0, 0));

    region.SetRect(5, 5, 5, 9);
    EXPECT_TRUE(region.IsEmpty());
}

TEST(WinRegion, CopiesOwnTheirRegion)
{
    WinRegion original;
    original.SetRect(0, 0, 4, 4);
    WinRegion copy(original);
    EXPECT_NE(copy.Handle(), original.Handle());
    EXPECT_TRUE(sameRegion(copy, original));
    original.Offset(10, 10);
    EXPECT_TRUE(copy.Contains(0, 0));
    EXPECT_FALSE(original.Contains(0, 0));
    WinRegion assigned;
    assigned = original;
    EXPECT_TRUE(assigned.Contains(10, 10));
    EXPECT_NE(assigned.Handle(), original.Handle());
}

TEST(WinRegion, FromBitmapCutsExactlyTheTransparentPixels)
{
    // One unit off in one channel is opaque; a run reaching the right edge ends at the width;
    // a single transparent pixel removes a 1 x 1 square.
    HBITMAP bitmap = solid(8, 3, RGB(200, 10, 10));
    skintest::setPixel(bitmap, 0, 0, RGB(0x15, 0x15, 0x17));
    skintest::setPixel(bitmap, 1, 0, RGB(0x16, 0x15, 0x16));
    skintest::setPixel(bitmap, 2, 0, RGB(0x15, 0x14, 0x16));
    for (int x = 5; x < 8; ++x)
        skintest::setPixel(bitmap, x, 1, key);
    skintest::setPixel(bitmap, 3, 2, key);
    WinRegion region;
    region.FromBitmap(bitmap, key | 0xFF000000);
    EXPECT_TRUE(coversOpaquePixels(region, bitmap, key));
    EXPECT_TRUE(region.Contains(0, 0) && region.Contains(1, 0) && region.Contains(2, 0));
    EXPECT_TRUE(region.Contains(4, 1));
    EXPECT_FALSE(region.Contains(7, 1));
    EXPECT_FALSE(region.Contains(8, 1));
    EXPECT_FALSE(region.Contains(3, 2));
    EXPECT_TRUE(region.Contains(2, 2) && region.Contains(4, 2));
    RECT box;
    GetRgnBox(region.Handle(), &box);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 3);
    DeleteObject(bitmap);
}

TEST(WinRegion, AllOrNoPixelsTransparent)
{
    HBITMAP none = solid(6, 4, RGB(1, 2, 3));
    HBITMAP all = solid(6, 4, key);
    WinRegion region;
    region.FromBitmap(none, key);
    WinRegion rectangle;
    rectangle.SetRect(0, 0, 6, 4);
    EXPECT_TRUE(sameRegion(region, rectangle));
    region.FromBitmap(all, key);
    EXPECT_TRUE(region.IsEmpty());
    // An empty bitmap gives an empty region.
    region.FromBitmap(nullptr, key);
    EXPECT_TRUE(region.IsEmpty());
    DeleteObject(none);
    DeleteObject(all);
}

TEST(WinRegion, OtherPixelFormatsAreReadAs24BitAndLeftAlone)
{
    for (int bits : {8, 32}) {
        HBITMAP bitmap = dibOfDepth(5, 3, bits, key, RGB(9, 9, 9));
        DIBSECTION section{};
        ASSERT_EQ(GetObject(bitmap, sizeof section, &section), int(sizeof section));
        const auto *memory = static_cast<const unsigned char *>(section.dsBm.bmBits);
        const size_t size = size_t(section.dsBm.bmWidthBytes) * size_t(section.dsBm.bmHeight);
        const std::vector<unsigned char> before(memory, memory + size);
        WinRegion region;
        region.FromBitmap(bitmap, key);
        EXPECT_TRUE(region.Contains(2, 1)) << bits;
        EXPECT_FALSE(region.Contains(1, 1)) << bits;
        EXPECT_FALSE(region.Contains(2, 0)) << bits;
        // Read, never written: the caller's pixels are as they were, byte for byte.
        EXPECT_EQ(std::vector<unsigned char>(memory, memory + size), before) << bits;
        DeleteObject(bitmap);
    }
}

TEST(WinRegion, MatchesRunByRunSubtraction)
{
    std::vector<HBITMAP> bitmaps;
    bitmaps.push_back(skintest::antiAliasedDisc(454, key, RGB(0, 128, 128)));
    // Noise with runs of identical rows, so that merged bands and changing rows mix.
    HBITMAP noise = solid(97, 61, key);
    std::mt19937 random(4711);
    for (int y = 0; y < 61; ++y) {
        const bool repeat = y > 0 && random() % 3 == 0;
        for (int x = 0; x < 97; ++x) {
            if (repeat)
                skintest::setPixel(noise, x, y, skintest::pixel(noise, x, y - 1));
            else if (random() % 2 == 0)
                skintest::setPixel(noise, x, y, RGB(0x15, 0x15, 0x17));
        }
    }
    bitmaps.push_back(noise);
    bitmaps.push_back(skintest::antiAliasedDisc(1, key, RGB(255, 0, 0)));
    // The same disc in a section whose rows lie bottom-up in memory, as a loaded picture's do.
    bitmaps.push_back(bottomUpCopy(bitmaps.front()));
    for (HBITMAP bitmap : bitmaps) {
        WinRegion fast;
        fast.FromBitmap(bitmap, key);
        WinRegion reference;
        RunSubtractionRegion(bitmap, key, reference);
        EXPECT_TRUE(sameRegion(fast, reference));
        // It behaves like any region in further operations.
        fast.Offset(3, -2);
        reference.Offset(3, -2);
        EXPECT_TRUE(sameRegion(fast, reference));
        fast.Offset(-3, 2);
        EXPECT_TRUE(coversOpaquePixels(fast, bitmap, key));
        DeleteObject(bitmap);
    }
}

TEST(WinRegion, AppliedEmptyRegionLeavesNothingOfTheWindow)
{
    skintest::HostWindow host;
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, host.get(),
                                 nullptr, nullptr, nullptr);
    WinRegion empty;
    empty.ApplyToWindow(child, false);
    HRGN installed = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(child, installed), NULLREGION);
    DeleteObject(installed);
    POINT inside{5, 5};
    ClientToScreen(child, &inside);
    EXPECT_EQ(WindowFromPoint(inside), host.get());
    // The window's copy is its own: the region object keeps working.
    empty.SetRect(0, 0, 3, 3);
    EXPECT_TRUE(empty.Contains(1, 1));
}

TEST(WinRegionDeathTest, ViolatedInvariantStopsWithItsCondition)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_DEATH(TBmpLEDCtrl(nullptr, 0),
                 "Assertion failed: stateCount > 0, file .*bmp_led_ctrl\\.cpp, line \\d+");
    TBmpLEDCtrl display(nullptr, 4);
    EXPECT_DEATH(display.Bitmap(4),
                 "Assertion failed: index < \\(int\\) m_bitmaps\\.size\\(\\), file .*line \\d+");
    EXPECT_DEATH(display.SetState(-1), "Assertion failed: state >= 0 && state < StateCount\\(\\)");
}
