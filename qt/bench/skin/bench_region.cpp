// Times the two ways of building a window outline from a 454 x 454 bitmap with anti-aliased
// edges: cutting every transparent run out one by one, and WinRegion::FromBitmap. It checks first
// that both give the same area, and prints how many times faster FromBitmap is.

#include "qt/skin/run_subtraction_region.h"
#include "qt/skin/win_region.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

const QColor keyColour(0x15, 0x15, 0x16);

// A round panel with a cut-out and a few anti-aliased strokes across its edge, on the
// transparent colour: thousands of short transparent runs along the soft edges.
QImage outlineBitmap()
{
    QImage image(454, 454, QImage::Format_RGB888);
    image.fill(keyColour);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 60, 90));
    painter.drawEllipse(QRectF(3.5, 3.5, 446.7, 446.7));
    painter.setBrush(keyColour);
    painter.drawEllipse(QRectF(140.3, 150.2, 90.4, 70.1));
    painter.setPen(QPen(QColor(200, 200, 210), 3.3));
    for (int i = 0; i < 12; ++i)
        painter.drawLine(QPointF(-10 + 37.3 * i, 0), QPointF(470 - 31.7 * i, 454));
    return image;
}

const QImage &bitmap()
{
    static const QImage image = outlineBitmap();
    return image;
}

void runByRunSubtraction(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(regionBySubtractingRuns(bitmap(), keyColour));
}
BENCHMARK(runByRunSubtraction)->Unit(benchmark::kMillisecond);

void fromBitmap(benchmark::State &state)
{
    for (auto _ : state) {
        WinRegion region;
        region.FromBitmap(bitmap(), keyColour);
        benchmark::DoNotOptimize(region.region());
    }
}
BENCHMARK(fromBitmap)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration for the closing comparison.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            m_seconds[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    double time(const std::string &name) const
    {
        const auto found = m_seconds.find(name);
        return found == m_seconds.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    WinRegion fast;
    fast.FromBitmap(bitmap(), keyColour);
    const QRegion reference = regionBySubtractingRuns(bitmap(), keyColour);
    if (!fast.region().xored(reference).isEmpty()) {
        std::fprintf(stderr, "The two regions differ.\n");
        return 1;
    }
    std::printf("Outline of %d rectangles (the run-by-run region has %d).\n",
                fast.region().rectCount(), reference.rectCount());

    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double slow = reporter.time("runByRunSubtraction");
    const double quick = reporter.time("fromBitmap");
    if (slow > 0 && quick > 0)
        std::printf("FromBitmap is %.1f times faster than run-by-run subtraction (goal: 20).\n",
                    slow / quick);
    return 0;
}
