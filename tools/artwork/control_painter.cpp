#include "tools/artwork/control_painter.h"

#include "tools/artwork/palette.h"
#include "tools/artwork/stroke_font.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace artwork {

namespace {

namespace pal = palette;

QColor colour(QRgb rgb, int alpha = 255)
{
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}

QLinearGradient vertical(qreal top, qreal bottom, QRgb from, QRgb to)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, colour(from));
    g.setColorAt(1, colour(to));
    return g;
}

QPainterPath rounded(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A rectangle whose top and bottom corners have different radii.
QPainterPath roundedTopBottom(const QRectF &r, qreal top, qreal bottom)
{
    QPainterPath path;
    path.moveTo(r.left() + top, r.top());
    path.lineTo(r.right() - top, r.top());
    path.quadTo(r.right(), r.top(), r.right(), r.top() + top);
    path.lineTo(r.right(), r.bottom() - bottom);
    path.quadTo(r.right(), r.bottom(), r.right() - bottom, r.bottom());
    path.lineTo(r.left() + bottom, r.bottom());
    path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - bottom);
    path.lineTo(r.left(), r.top() + top);
    path.quadTo(r.left(), r.top(), r.left() + top, r.top());
    path.closeSubpath();
    return path;
}

// The face shared by every rectangular push button: a raised, lit, pressed or
// flat body with a dark border.
void paintFace(QPainter &p, const QPainterPath &shape, const QRectF &r, Look look)
{
    const qreal top = r.top();
    const qreal bottom = r.bottom();
    switch (look) {
    case Look::Raised:
        p.fillPath(shape, vertical(top, bottom, pal::buttonTop, pal::buttonBottom));
        break;
    case Look::Focused:
        p.fillPath(shape, vertical(top, bottom, pal::buttonHotTop, pal::buttonHotBottom));
        break;
    case Look::Sunken:
        p.fillPath(shape, vertical(top, bottom, pal::buttonSunkTop, pal::buttonSunkBottom));
        break;
    case Look::Disabled:
        p.fillPath(shape, colour(pal::buttonFlat));
        break;
    }

    // A light upper edge lifts the raised looks; a shadow under the upper edge
    // sinks the pressed one.
    const QTransform inset = QTransform::fromTranslate(0, 1);
    if (look == Look::Raised || look == Look::Focused) {
        QLinearGradient shine(0, top, 0, top + (bottom - top) * 0.5);
        shine.setColorAt(0, colour(pal::buttonHighlight, 230));
        shine.setColorAt(1, colour(pal::buttonHighlight, 0));
        p.save();
        p.setClipPath(shape);
        p.strokePath(inset.map(shape), QPen(QBrush(shine), 1));
        p.restore();
    } else if (look == Look::Sunken) {
        QLinearGradient shade(0, top, 0, top + (bottom - top) * 0.6);
        shade.setColorAt(0, colour(0x000000, 200));
        shade.setColorAt(1, colour(0x000000, 0));
        p.save();
        p.setClipPath(shape);
        p.strokePath(inset.map(shape), QPen(QBrush(shade), 2));
        p.restore();
    }

    const QRgb border = look == Look::Disabled ? pal::disabledBorder : pal::buttonBorder;
    p.strokePath(shape, QPen(colour(border), 1));
    if (look == Look::Focused) {
        QPainterPath ring;
        ring.addRoundedRect(r.adjusted(1, 1, -1, -1), 3.5, 3.5);
        p.strokePath(ring, QPen(colour(pal::accent, 220), 1));
    }
}

QRgb glyphColour(Look look)
{
    switch (look) {
    case Look::Focused:
        return pal::accent;
    case Look::Sunken:
        return pal::white;
    case Look::Disabled:
        return pal::disabledGlyph;
    case Look::Raised:
        break;
    }
    return pal::silver;
}

// A pressed glyph moves down and right, as a pressed caption does.
QPointF pressOffset(Look look)
{
    return look == Look::Sunken ? QPointF(0.75, 0.75) : QPointF(0, 0);
}

QPainterPath triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

QPainterPath glyphPath(Glyph glyph, QPointF centre)
{
    const qreal x = centre.x();
    const qreal y = centre.y();
    switch (glyph) {
    case Glyph::Right:
        return triangle({x - 1.8, y - 2.6}, {x + 2.2, y}, {x - 1.8, y + 2.6});
    case Glyph::Up:
        return triangle({x - 3.5, y + 1.8}, {x + 3.5, y + 1.8}, {x, y - 2.0});
    case Glyph::Down:
        return triangle({x - 3.5, y - 1.8}, {x + 3.5, y - 1.8}, {x, y + 2.0});
    case Glyph::Play:
        return triangle({x - 3.5, y - 5}, {x + 5, y}, {x - 3.5, y + 5});
    case Glyph::Stop: {
        QPainterPath path;
        path.addRoundedRect(QRectF(x - 4.5, y - 4.5, 9, 9), 1.2, 1.2);
        return path;
    }
    case Glyph::Close: {
        QPainterPath path;
        path.moveTo(x - 2.6, y - 2.6);
        path.lineTo(x + 2.6, y + 2.6);
        path.moveTo(x + 2.6, y - 2.6);
        path.lineTo(x - 2.6, y + 2.6);
        return path;
    }
    case Glyph::Minimize: {
        QPainterPath path;
        path.moveTo(x - 3, y + 0.5);
        path.lineTo(x + 3, y + 0.5);
        return path;
    }
    }
    return {};
}

void fillGlyph(QPainter &p, Glyph glyph, QPointF centre, Look look)
{
    const QPainterPath path = glyphPath(glyph, centre + pressOffset(look));
    if (look == Look::Focused)
        p.strokePath(
            path, QPen(colour(pal::accent, 70), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, colour(glyphColour(look)));
}

QRectF bodyRect(QSize size)
{
    return QRectF(0.5, 0.5, size.width() - 1, size.height() - 1);
}

// The recessed look of check boxes and lamps: dark inside, shaded border that
// catches light at the bottom.
void paintWell(QPainter &p, const QPainterPath &shape, const QRectF &r, Look look)
{
    p.fillPath(shape, colour(look == Look::Disabled ? pal::buttonFlat : pal::wellFill));
    QLinearGradient edge(0, r.top(), 0, r.bottom());
    edge.setColorAt(0, colour(pal::wellBorder));
    edge.setColorAt(0.6, colour(pal::wellBorder));
    edge.setColorAt(1, colour(look == Look::Disabled ? pal::disabledBorder : pal::wellLight));
    p.strokePath(shape, QPen(QBrush(edge), 1));
}

} // namespace

void paintTextButton(QPainter &p, QSize size, Look look)
{
    const QRectF r = bodyRect(size);
    paintFace(p, rounded(r, 5), r, look);
}

void paintGlyphButton(QPainter &p, QSize size, Glyph glyph, Look look)
{
    const QRectF r = bodyRect(size);
    paintFace(p, rounded(r, 5), r, look);
    fillGlyph(p, glyph, r.center(), look);
}

void paintRoundButton(QPainter &p, QSize size, Glyph glyph, Look look)
{
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const qreal radius = size.width() / 2.0 - 1.5;
    QRadialGradient fill(centre - QPointF(1.5, 2), radius * 1.6);
    QRgb inner = 0x505054;
    QRgb outer = 0x2A2A2D;
    QRgb mark = pal::silver;
    if (look == Look::Focused) {
        inner = glyph == Glyph::Close ? pal::alert : pal::accent;
        outer = glyph == Glyph::Close ? pal::alertDeep : pal::accentDeep;
        mark = pal::white;
    } else if (look == Look::Sunken) {
        inner = glyph == Glyph::Close ? pal::alertDeep : pal::accentDeep;
        outer = 0x1A1A1C;
        mark = pal::white;
    } else if (look == Look::Disabled) {
        inner = 0x48484A;
        outer = 0x3A3A3C;
        mark = pal::disabledGlyph;
    }
    fill.setColorAt(0, colour(inner));
    fill.setColorAt(1, colour(outer));
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    p.fillPath(disc, fill);
    p.strokePath(disc, QPen(colour(pal::buttonBorder), 1));
    if (look == Look::Raised || look == Look::Focused) {
        QPainterPath shine;
        shine.addEllipse(centre, radius - 1, radius - 1);
        QLinearGradient g(0, centre.y() - radius, 0, centre.y());
        g.setColorAt(0, colour(pal::white, 90));
        g.setColorAt(1, colour(pal::white, 0));
        p.strokePath(shine, QPen(QBrush(g), 1));
    }
    const QPainterPath path = glyphPath(glyph, centre + pressOffset(look));
    p.strokePath(path, QPen(colour(mark), 1.6, Qt::SolidLine, Qt::RoundCap));
}

void paintPanelArrow(QPainter &p, QSize size, Look look)
{
    const QRectF r = bodyRect(size);
    const QPainterPath shape = rounded(r, 2.5);
    QRgb border = 0x46464B;
    if (look == Look::Sunken) {
        p.fillPath(shape, colour(0x0C0C0D));
        border = 0x303034;
    } else {
        p.fillPath(shape, vertical(r.top(), r.bottom(), 0x323236, 0x222225));
        if (look == Look::Focused)
            border = pal::accent;
    }
    p.strokePath(shape, QPen(colour(border), 1));
    p.fillPath(glyphPath(Glyph::Right, r.center() + pressOffset(look)), colour(glyphColour(look)));
}

void paintSpinArrow(QPainter &p, QSize size, Glyph glyph, Look look)
{
    const QRectF r = bodyRect(size);
    const bool up = glyph == Glyph::Up;
    const QPainterPath shape = roundedTopBottom(r, up ? 4 : 1, up ? 1 : 4);
    paintFace(p, shape, r, look == Look::Focused ? Look::Raised : look);
    fillGlyph(p, glyph, r.center() + QPointF(0, up ? 0.5 : -0.5), look);
}

void paintCheckBox(QPainter &p, QSize size, bool checked, Look look)
{
    const QRectF r(1.5, 1.5, size.width() - 3, size.height() - 3);
    paintWell(p, rounded(r, 3), r, look);
    if (!checked)
        return;
    QPainterPath mark;
    const qreal s = size.width() / 16.0;
    mark.moveTo(4.3 * s, 8.2 * s);
    mark.lineTo(6.9 * s, 10.8 * s);
    mark.lineTo(11.8 * s, 5.0 * s);
    if (look == Look::Disabled) {
        p.strokePath(mark, QPen(colour(pal::disabledGlyph), 1.8, Qt::SolidLine, Qt::RoundCap,
                                Qt::RoundJoin));
        return;
    }
    p.strokePath(mark,
                 QPen(colour(pal::accent, 60), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(mark, QPen(colour(pal::accent), 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void paintRadioLamp(QPainter &p, QSize size, const QString &word, bool checked, Look look)
{
    const QRectF r = bodyRect(size);
    const qreal radius = r.height() / 2;
    paintWell(p, rounded(r, radius), r, look);

    const bool disabled = look == Look::Disabled;
    const QPointF lamp(r.left() + radius + 0.5, r.center().y());
    QPainterPath dot;
    dot.addEllipse(lamp, 2.4, 2.4);
    if (checked && !disabled) {
        QRadialGradient glow(lamp, 5);
        glow.setColorAt(0, colour(pal::accent, 150));
        glow.setColorAt(1, colour(pal::accent, 0));
        QPainterPath halo;
        halo.addEllipse(lamp, 5, 5);
        p.save();
        p.setClipPath(rounded(r.adjusted(1, 1, -1, -1), radius - 1));
        p.fillPath(halo, glow);
        p.restore();
        QRadialGradient lit(lamp - QPointF(0.7, 0.7), 2.6);
        lit.setColorAt(0, colour(0xFFE2B0));
        lit.setColorAt(1, colour(pal::accent));
        p.fillPath(dot, lit);
    } else {
        p.fillPath(dot, colour(checked ? pal::accentDim : pal::ledOff));
    }

    QRgb ink = checked ? 0xF4F4F4 : 0x9A9A9E;
    if (disabled)
        ink = checked ? 0x8C8C8E : 0x58585A;
    const qreal height = 6;
    const qreal tracking = 1.4;
    const qreal left = lamp.x() + 4.5;
    const qreal width = strokeTextWidth(word, height, tracking);
    const QPointF origin(left + (r.right() - 2 - left - width) / 2, r.center().y() - height / 2);
    p.strokePath(strokeText(word, origin, height, tracking),
                 QPen(colour(ink), 1.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace artwork
