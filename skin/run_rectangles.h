#pragma once

#include <windows.h>

#include <vector>

// Collects the opaque runs of a bitmap row by row as rectangles: a run found at the same place
// in the rows below grows its rectangle downwards, any other run starts a new one. Their union
// is the bitmap's opaque area, and the region of it is made in one call.
class RunRectangles
{
public:
    // The rectangles of the bitmap's pixels whose red, green and blue differ from the colour's.
    static RunRectangles OfOpaquePixels(HBITMAP bitmap, COLORREF colour);

    // The runs of the next row, as first and past-the-last pixel pairs, left to right.
    void AddRow(const std::vector<int> &runs);
    // A new region of the rectangles so far; null only when the window system fails.
    HRGN CreateRegion() const;
    bool Empty() const { return m_rectangles.empty(); }

private:
    std::vector<RECT> m_rectangles;
    // The runs of the last row and the rectangle each belongs to.
    std::vector<int> m_lastRuns;
    std::vector<size_t> m_lastRectangles;
    std::vector<size_t> m_nextRectangles;
    int m_rows = 0;
};
