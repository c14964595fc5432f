// The pieces the outline of a picture is made of: the row scanner's fast methods against the
// plain rule, the rows of a DIB section read in place whichever way they lie in memory, and the
// rectangles the runs grow into.
#include "skin/dib_rows.h"
#include "skin/opaque_run_scanner.h"
#include "skin/run_rectangles.h"
#include "skin_test_support.h"

#include <random>
#include <vector>

namespace {

using Method = OpaqueRunScanner::Method;

const std::uint8_t keyBlue = 0x16, keyGreen = 0x14, keyRed = 0x15;

// A row whose pixels are the key, the key one unit off in one channel, or share one or two of
// the key's bytes, so that every kind of group, and near misses in each, turn up.
std::vector<std::uint8_t> trickyRow(std::mt19937 &random, int width)
{
    std::vector<std::uint8_t> row(3 * static_cast<size_t>(width));
    const std::uint8_t key[3] = {keyBlue, keyGreen, keyRed};
    const int runLength = 1 + static_cast<int>(random() % 40);
    int kind = 0;
    for (int x = 0; x < width; ++x) {
        if (x % runLength == 0)
            kind = static_cast<int>(random() % 4);
        std::uint8_t *p = row.data() + 3 * x;
        for (int i = 0; i < 3; ++i)
            p[i] = key[i];
        if (kind == 1 || (kind == 3 && random() % 2)) {
            p[random() % 3] ^= 1;
        } else if (kind == 2) {
            for (int i = 0; i < 3; ++i)
                if (random() % 3 == 0)
                    p[i] = static_cast<std::uint8_t>(random());
        }
    }
    return row;
}

std::vector<int> runsOf(Method method, const std::vector<std::uint8_t> &row, int width)
{
    const OpaqueRunScanner scanner(keyBlue, keyGreen, keyRed);
    std::vector<int> runs;
    scanner.ScanWith(method, row.data(), width, runs);
    return runs;
}

// A 24-bit DIB section of the pixels, its rows in memory bottom-up or top-down.
HBITMAP sectionOf(int width, int height, bool bottomUp, COLORREF (*colourAt)(int x, int y))
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = bottomUp ? height : -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int memoryRow = bottomUp ? height - 1 - y : y;
            auto *p = static_cast<std::uint8_t *>(bits) + memoryRow * stride + 3 * x;
            const COLORREF colour = colourAt(x, y);
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    return bitmap;
}

COLORREF gradient(int x, int y)
{
    return RGB(x * 7, y * 11, 3);
}

// Mirror-symmetric top to bottom: no pixel tells which way the rows lie.
COLORREF symmetric(int x, int y)
{
    return RGB(x * 5, (y < 3 ? y : 5 - y) * 40, 9);
}

void expectRowsAsShown(const DibRows &rows, HBITMAP bitmap)
{
    for (int y = 0; y < rows.Height(); ++y)
        for (int x = 0; x < rows.Width(); ++x) {
            const std::uint8_t *p = rows.Row(y) + 3 * x;
            ASSERT_EQ(RGB(p[2], p[1], p[0]), skintest::pixel(bitmap, x, y)) << x << "," << y;
        }
}

} // namespace

TEST(OpaqueRunScanner, EveryMethodFindsTheRunsThePlainRuleFinds)
{
    std::mt19937 random(20261209);
    std::vector<Method> methods{Method::Words};
    if (OpaqueRunScanner::Available(Method::Sse2))
        methods.push_back(Method::Sse2);
    for (int width = 0; width <= 80; ++width)
        for (int round = 0; round < 40; ++round) {
            const std::vector<std::uint8_t> row = trickyRow(random, width);
            const std::vector<int> expected = runsOf(Method::Pixels, row, width);
            for (Method method : methods)
                ASSERT_EQ(runsOf(method, row, width), expected)
                    << "method " << static_cast<int>(method) << ", width " << width;
        }
}

TEST(OpaqueRunScanner, WholeRowsOfOneKind)
{
    const int width = 37;
    std::vector<std::uint8_t> row(3 * width);
    for (int x = 0; x < width; ++x) {
        row[3 * x] = keyBlue;
        row[3 * x + 1] = keyGreen;
        row[3 * x + 2] = keyRed;
    }
    EXPECT_TRUE(runsOf(OpaqueRunScanner::Fastest(), row, width).empty());
    row[3 * 36 + 2] = 0; // the last pixel only
    EXPECT_EQ(runsOf(OpaqueRunScanner::Fastest(), row, width), (std::vector<int>{36, 37}));
    std::fill(row.begin(), row.end(), 0x80);
    EXPECT_EQ(runsOf(OpaqueRunScanner::Fastest(), row, width), (std::vector<int>{0, 37}));
}

TEST(DibRows, ReadsASectionInPlaceWhicheverWayItsRowsLie)
{
    for (bool bottomUp : {true, false}) {
        HBITMAP bitmap = sectionOf(9, 6, bottomUp, gradient);
        DIBSECTION section{};
        GetObject(bitmap, sizeof section, &section);
        const DibRows rows(bitmap);
        ASSERT_EQ(rows.Width(), 9);
        ASSERT_EQ(rows.Height(), 6);
        // In place: the rows are the section's own memory.
        const auto *first = static_cast<const std::uint8_t *>(section.dsBm.bmBits);
        EXPECT_EQ(rows.Row(bottomUp ? 5 : 0), first) << bottomUp;
        expectRowsAsShown(rows, bitmap);
        DeleteObject(bitmap);
    }
    HBITMAP mirrored = sectionOf(4, 6, true, symmetric);
    expectRowsAsShown(DibRows(mirrored), mirrored);
    DeleteObject(mirrored);
}

TEST(DibRows, OtherBitmapsAreReadThroughACopy)
{
    // A device-dependent bitmap and a section selected into a device context elsewhere.
    HDC screen = GetDC(nullptr);
    HBITMAP device = CreateCompatibleBitmap(screen, 5, 4);
    ReleaseDC(nullptr, screen);
    skintest::setPixel(device, 2, 1, RGB(10, 20, 30));
    const DibRows deviceRows(device);
    ASSERT_EQ(deviceRows.Width(), 5);
    expectRowsAsShown(deviceRows, device);
    DeleteObject(device);

    HBITMAP section = sectionOf(7, 5, false, gradient);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    const DibRows selectedRows(section);
    SelectObject(dc, old);
    DeleteDC(dc);
    ASSERT_EQ(selectedRows.Height(), 5);
    expectRowsAsShown(selectedRows, section);
    DeleteObject(section);
}

TEST(RunRectangles, RunsInPlaceGrowDownAndTheRegionIsTheirUnion)
{
    const std::vector<std::vector<int>> rows{{0, 4, 6, 9}, {0, 4, 6, 9}, {0, 4, 7, 9},
                                             {},           {2, 3},       {0, 4, 6, 9}};
    RunRectangles rectangles;
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    for (size_t y = 0; y < rows.size(); ++y) {
        rectangles.AddRow(rows[y]);
        for (size_t i = 0; i < rows[y].size(); i += 2) {
            HRGN run = CreateRectRgn(rows[y][i], int(y), rows[y][i + 1], int(y) + 1);
            CombineRgn(expected, expected, run, RGN_OR);
            DeleteObject(run);
        }
    }
    HRGN made = rectangles.CreateRegion();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(EqualRgn(made, expected));
    DeleteObject(made);
    DeleteObject(expected);

    RunRectangles none;
    none.AddRow({});
    HRGN empty = none.CreateRegion();
    RECT box;
    EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
    DeleteObject(empty);
}
