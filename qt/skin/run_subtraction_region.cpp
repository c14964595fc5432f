#include "qt/skin/run_subtraction_region.h"

#include "qt/skin/win_region.h"

QRegion regionBySubtractingRuns(const QImage &bitmap, QColor colour)
{
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB888);
    const auto red = static_cast<uchar>(colour.red());
    const auto green = static_cast<uchar>(colour.green());
    const auto blue = static_cast<uchar>(colour.blue());
    WinRegion region;
    region.SetRect(0, 0, rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar *row = rgb.constScanLine(y);
        auto transparent = [&](int x) {
            return row[3 * x] == red && row[3 * x + 1] == green && row[3 * x + 2] == blue;
        };
        int x = 0;
        while (x < rgb.width()) {
            while (x < rgb.width() && !transparent(x))
                ++x;
            const int start = x;
            while (x < rgb.width() && transparent(x))
                ++x;
            if (x > start) {
                WinRegion run;
                run.SetRect(start, y, x, y + 1);
                region.Subtract(run);
            }
        }
    }
    return region.region();
}
