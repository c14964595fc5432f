#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>

// A small geometric capital alphabet drawn as centre lines, so that lettering
// on the bitmaps comes out the same on every machine, whatever fonts it has.
namespace artwork {

// The centre lines of text in capitals. The glyphs are 6 units high; each unit
// is height / 6 pixels. origin is the top-left corner of the first glyph.
QPainterPath strokeText(const QString &text, QPointF origin, qreal height, qreal tracking);

// The width of that text in pixels, from the first glyph's left edge to the
// last glyph's right edge.
qreal strokeTextWidth(const QString &text, qreal height, qreal tracking);

} // namespace artwork
