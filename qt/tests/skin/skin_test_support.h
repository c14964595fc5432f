#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <cmath>

namespace skintest {

inline QImage solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

// A disc on a square of the transparent colour, its edge blended into the background the way
// an anti-aliased drawing is, so that edge pixels differ from the transparent colour by small
// amounts.
inline QImage antiAliasedDisc(int size, QColor background, QColor disc)
{
    QImage image(size, size, QImage::Format_RGB888);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(2.5, 2.5, size - 5.3, size - 5.3));
    painter.setBrush(background);
    painter.drawEllipse(QRectF(size * 0.3, size * 0.35, size * 0.2, size * 0.17));
    return image;
}

// Two regions cover the same area when their symmetric difference is empty; QRegion's == only
// compares how they are stored.
inline bool sameArea(const QRegion &a, const QRegion &b)
{
    return a.xored(b).isEmpty();
}

// The colour the widget shows at the point, as it paints itself.
inline QColor shownColour(QWidget *widget, QPoint at = QPoint(1, 1))
{
    return widget->grab().toImage().pixelColor(at);
}

} // namespace skintest
