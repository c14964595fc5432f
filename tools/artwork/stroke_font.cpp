#include "tools/artwork/stroke_font.h"

#include <QTransform>

namespace artwork {

namespace {

constexpr qreal glyphHeight = 6.0;

// A glyph's centre lines in units, and how wide it is.
struct Glyph
{
    QPainterPath path;
    qreal width = 0;
};

void polyline(QPainterPath &path, std::initializer_list<QPointF> points)
{
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
}

// The bowl of P and R: from the stem's top round to the stem at mid height.
void bowl(QPainterPath &path)
{
    path.moveTo(0, 0);
    path.lineTo(2.3, 0);
    path.cubicTo(4.1, 0, 4.1, 3.2, 2.3, 3.2);
    path.lineTo(0, 3.2);
}

Glyph glyph(QChar c)
{
    Glyph g;
    g.width = 4;
    QPainterPath &p = g.path;
    switch (c.unicode()) {
    case 'A':
        polyline(p, {{0, 6}, {2, 0}, {4, 6}});
        polyline(p, {{0.75, 3.8}, {3.25, 3.8}});
        break;
    case 'E':
        g.width = 3.4;
        polyline(p, {{3.4, 0}, {0, 0}, {0, 6}, {3.4, 6}});
        polyline(p, {{0, 3}, {2.8, 3}});
        break;
    case 'I':
        g.width = 0;
        polyline(p, {{0, 0}, {0, 6}});
        break;
    case 'M':
        g.width = 4.6;
        polyline(p, {{0, 6}, {0, 0}, {2.3, 4}, {4.6, 0}, {4.6, 6}});
        break;
    case 'N':
        polyline(p, {{0, 6}, {0, 0}, {4, 6}, {4, 0}});
        break;
    case 'P':
        g.width = 3.5;
        polyline(p, {{0, 6}, {0, 0}});
        bowl(p);
        break;
    case 'R':
        g.width = 3.6;
        polyline(p, {{0, 6}, {0, 0}});
        bowl(p);
        polyline(p, {{2.0, 3.2}, {3.6, 6}});
        break;
    case 'S':
        g.width = 3.6;
        p.moveTo(3.5, 0.9);
        p.cubicTo(3.0, 0.2, 2.4, 0, 1.8, 0);
        p.cubicTo(0.8, 0, 0.1, 0.6, 0.1, 1.5);
        p.cubicTo(0.1, 3.3, 3.6, 2.6, 3.6, 4.4);
        p.cubicTo(3.6, 5.4, 2.8, 6, 1.8, 6);
        p.cubicTo(1.0, 6, 0.4, 5.7, 0, 5.1);
        break;
    case 'V':
        polyline(p, {{0, 0}, {2, 6}, {4, 0}});
        break;
    default:
        g.width = 2.5;
        break;
    }
    return g;
}

} // namespace

QPainterPath strokeText(const QString &text, QPointF origin, qreal height, qreal tracking)
{
    const qreal unit = height / glyphHeight;
    QPainterPath result;
    qreal x = 0;
    for (const QChar c : text) {
        const Glyph g = glyph(c);
        QTransform t;
        t.translate(origin.x() + x, origin.y());
        t.scale(unit, unit);
        result.addPath(t.map(g.path));
        x += g.width * unit + tracking;
    }
    return result;
}

qreal strokeTextWidth(const QString &text, qreal height, qreal tracking)
{
    const qreal unit = height / glyphHeight;
    qreal width = 0;
    for (const QChar c : text)
        width += glyph(c).width * unit + tracking;
    return text.isEmpty() ? 0 : width - tracking;
}

} // namespace artwork
