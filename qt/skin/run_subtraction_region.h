#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

// The straightforward way to cut a bitmap's transparent pixels out of its rectangle: every
// horizontal run of pixels of the colour is subtracted on its own, row by row, left to right.
// WinRegion::FromBitmap must give the same area much faster; the tests and the benchmark
// compare the two.
QRegion regionBySubtractingRuns(const QImage &bitmap, QColor colour);
