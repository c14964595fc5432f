#include "qt/skin/win_region.h"

#include <QWidget>

#include <vector>

namespace {

// One run of opaque pixels in a row: x0 included, x1 excluded.
struct Run
{
    int x0;
    int x1;
    bool operator==(const Run &) const = default;
};

// Fills runs with the maximal runs of opaque pixels of one 24-bit row.
void opaqueRuns(const uchar *row, int width, uchar red, uchar green, uchar blue,
                std::vector<Run> &runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && row[3 * x] == red && row[3 * x + 1] == green && row[3 * x + 2] == blue)
            ++x;
        if (x == width)
            break;
        const int start = x;
        while (x < width &&
               !(row[3 * x] == red && row[3 * x + 1] == green && row[3 * x + 2] == blue))
            ++x;
        runs.push_back({start, x});
    }
}

} // namespace

void WinRegion::SetRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        m_region = QRegion();
    else
        m_region = QRegion(left, top, right - left, bottom - top);
}

void WinRegion::Subtract(const WinRegion &other)
{
    m_region -= other.m_region;
}

void WinRegion::Offset(int dx, int dy)
{
    m_region.translate(dx, dy);
}

// The region is put together from the opaque runs directly, in the banded form QRegion keeps
// internally: every row is a band of its runs, and a row whose runs equal those of the row above
// only makes that band one pixel taller. This costs one pass over the pixels instead of one
// region subtraction per transparent run.
void WinRegion::FromBitmap(const QImage &bitmap, QColor colour)
{
    const QImage rgb = bitmap.format() == QImage::Format_RGB888
                           ? bitmap
                           : bitmap.convertToFormat(QImage::Format_RGB888);
    const auto red = static_cast<uchar>(colour.red());
    const auto green = static_cast<uchar>(colour.green());
    const auto blue = static_cast<uchar>(colour.blue());
    const int width = rgb.width();

    std::vector<QRect> rects;
    std::vector<Run> previous;
    std::vector<Run> current;
    std::size_t bandStart = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        opaqueRuns(rgb.constScanLine(y), width, red, green, blue, current);
        if (!current.empty() && current == previous) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
        } else {
            bandStart = rects.size();
            for (const Run &run : current)
                rects.emplace_back(run.x0, y, run.x1 - run.x0, 1);
        }
        previous.swap(current);
    }
    m_region = QRegion();
    m_region.setRects(rects.data(), static_cast<int>(rects.size()));
}

void WinRegion::ApplyToWindow(QWidget *window, bool redraw) const
{
    if (m_region.isEmpty())
        window->setMask(QRegion(-1, -1, 1, 1));
    else
        window->setMask(m_region);
    if (redraw)
        window->update();
}
