#include "skin/run_rectangles.h"

#include "skin/dib_rows.h"
#include "skin/opaque_run_scanner.h"

RunRectangles RunRectangles::OfOpaquePixels(HBITMAP bitmap, COLORREF colour)
{
    const DibRows rows(bitmap);
    const OpaqueRunScanner scanner(GetBValue(colour), GetGValue(colour), GetRValue(colour));
    RunRectangles rectangles;
    std::vector<int> runs;
    for (int y = 0; y < rows.Height(); ++y) {
        runs.clear();
        scanner.Scan(rows.Row(y), rows.Width(), runs);
        rectangles.AddRow(runs);
    }
    return rectangles;
}

void RunRectangles::AddRow(const std::vector<int> &runs)
{
    // Both rows' runs are sorted and disjoint: one walk pairs the runs that stay in place.
    const int y = m_rows++;
    m_nextRectangles.clear();
    size_t last = 0;
    for (size_t run = 0; run < runs.size(); run += 2) {
        const int left = runs[run], right = runs[run + 1];
        while (last < m_lastRuns.size() && m_lastRuns[last] < left)
            last += 2;
        if (last < m_lastRuns.size() && m_lastRuns[last] == left && m_lastRuns[last + 1] == right) {
            const size_t rectangle = m_lastRectangles[last / 2];
            m_rectangles[rectangle].bottom = y + 1;
            m_nextRectangles.push_back(rectangle);
            last += 2;
        } else {
            m_nextRectangles.push_back(m_rectangles.size());
            m_rectangles.push_back(RECT{left, y, right, y + 1});
        }
    }
    m_lastRuns = runs;
    m_lastRectangles.swap(m_nextRectangles);
}

HRGN RunRectangles::CreateRegion() const
{
    if (m_rectangles.empty())
        return CreateRectRgn(0, 0, 0, 0);
    // Each rectangle as a polygon of four corners; with rectangles that never overlap, the
    // filled polygons are exactly their union, right and bottom edges excluded as for any
    // rectangle region. They go in from the bottom up: the system files each edge under the
    // row it starts in, searching from the top, so the lowest first are filed at once.
    std::vector<POINT> corners;
    corners.reserve(4 * m_rectangles.size());
    for (auto r = m_rectangles.rbegin(); r != m_rectangles.rend(); ++r) {
        corners.push_back(POINT{r->left, r->top});
        corners.push_back(POINT{r->right, r->top});
        corners.push_back(POINT{r->right, r->bottom});
        corners.push_back(POINT{r->left, r->bottom});
    }
    const std::vector<INT> counts(m_rectangles.size(), 4);
    return CreatePolyPolygonRgn(corners.data(), counts.data(), static_cast<int>(counts.size()),
                                ALTERNATE);
}
