#include "tools/artwork/background_painter.h"

#include "tools/artwork/palette.h"
#include "tools/artwork/stroke_font.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>

namespace artwork {

namespace {

namespace pal = palette;

QColor colour(QRgb rgb, int alpha = 255)
{
    QColor c = QColor::fromRgb(rgb);
    c.setAlpha(alpha);
    return c;
}

// A point at an angle (degrees clockwise from twelve o'clock) and a distance.
QPointF polar(QPointF centre, qreal angle, qreal radius)
{
    const qreal a = qDegreesToRadians(angle);
    return centre + QPointF(radius * qSin(a), -radius * qCos(a));
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath capsule(QPointF from, QPointF to, qreal radius)
{
    QPainterPath axis;
    axis.moveTo(from);
    axis.lineTo(to);
    QPainterPathStroker stroker;
    stroker.setWidth(2 * radius);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(axis).simplified();
}

// Light from the upper left: a pen that is bright on the upper-left half of a
// round edge and dark on the lower-right half (or the other way round for an
// edge that goes down into the surface).
QBrush diagonalLight(QPointF centre, qreal radius, bool raised)
{
    QLinearGradient g(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    g.setColorAt(0, colour(raised ? pal::metalHighlight : pal::metalShade));
    g.setColorAt(1, colour(raised ? pal::metalShade : pal::metalHighlight));
    return QBrush(g);
}

QBrush brushedMetal(QPointF centre)
{
    QConicalGradient g(centre, 90);
    const QRgb stops[] = {pal::metalLight, pal::metalMid,   pal::metalDark,
                          pal::metalMid,   pal::metalLight, pal::metalMid,
                          pal::metalDark,  pal::metalMid,   pal::metalLight};
    const int count = int(std::size(stops));
    for (int i = 0; i < count; ++i)
        g.setColorAt(qreal(i) / (count - 1), colour(stops[i]));
    return QBrush(g);
}

// A shape in local coordinates (pointing up, base on the x axis) turned to
// stand on the dial's edge at the given angle.
QTransform standingAt(QPointF base, qreal angle)
{
    QTransform t;
    t.translate(base.x(), base.y());
    t.rotate(angle);
    return t;
}

QPainterPath standing(const QPainterPath &local, QPointF base, qreal angle)
{
    return standingAt(base, angle).map(local);
}

QPainterPath bellDome(qreal radius)
{
    QPainterPath dome;
    dome.moveTo(-radius, 0);
    dome.arcTo(QRectF(-radius, -radius, 2 * radius, 2 * radius), 180, -180);
    dome.closeSubpath();
    return dome;
}

QPainterPath handlePath(const PanelLayout &l)
{
    // Two posts rise from the bezel and a bail arches over between them.
    QPainterPath centreLine;
    const qreal inside = l.caseRadius - 8;
    const QPointF leftTop = polar(l.centre, -l.handleAngle, l.handleRadius);
    const QPointF rightTop = polar(l.centre, l.handleAngle, l.handleRadius);
    const QPointF lift(0, -l.handleLift);
    centreLine.moveTo(polar(l.centre, -l.handleAngle, inside));
    centreLine.lineTo(leftTop);
    centreLine.cubicTo(leftTop + lift, rightTop + lift, rightTop);
    centreLine.lineTo(polar(l.centre, l.handleAngle, inside));
    QPainterPathStroker stroker;
    stroker.setWidth(l.handleWidth);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(centreLine).simplified();
}

void paintMetalPart(QPainter &p, const QPainterPath &shape)
{
    const QRectF r = shape.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, colour(pal::metalHighlight));
    g.setColorAt(0.45, colour(pal::metalMid));
    g.setColorAt(1, colour(pal::metalShade));
    p.fillPath(shape, g);
    p.strokePath(shape, QPen(colour(pal::metalShade), 1));
}

void paintBell(QPainter &p, const PanelLayout &l, qreal angle, QPainterPath &silhouette)
{
    const QPointF base = polar(l.centre, angle, l.bellDistance);
    const qreal r = l.bellRadius;

    QPainterPath post;
    post.addRect(QRectF(-3.5, -1, 7, l.bellDistance - l.caseRadius + 8));
    post = standing(post, base, angle);
    p.fillPath(post, colour(pal::metalDark));

    const QPainterPath dome = standing(bellDome(r), base, angle);
    QRadialGradient shine(standingAt(base, angle).map(QPointF(-0.3 * r, -0.6 * r)), 1.25 * r);
    shine.setColorAt(0, colour(pal::metalHighlight));
    shine.setColorAt(0.35, colour(pal::metalLight));
    shine.setColorAt(0.8, colour(pal::metalMid));
    shine.setColorAt(1, colour(pal::metalDark));
    p.fillPath(dome, shine);
    p.strokePath(dome, QPen(colour(pal::metalShade), 1));

    QPainterPath lipLocal;
    lipLocal.addRoundedRect(QRectF(-r - 3, -2.5, 2 * r + 6, 6), 3, 3);
    const QPainterPath lip = standing(lipLocal, base, angle);
    paintMetalPart(p, lip);

    QPainterPath knobLocal;
    knobLocal.addEllipse(QPointF(0, -r - 2), 3.5, 3.5);
    const QPainterPath knob = standing(knobLocal, base, angle);
    paintMetalPart(p, knob);

    silhouette = silhouette.united(post).united(dome).united(lip).united(knob);
}

void paintFoot(QPainter &p, const PanelLayout &l, qreal angle, QPainterPath &silhouette)
{
    const qreal reach = l.footLength + 8;
    const QTransform at = standingAt(polar(l.centre, angle, l.caseRadius - 10), angle);

    QPainterPath leg;
    leg.moveTo(-7, 0);
    leg.lineTo(-3.5, -reach);
    leg.lineTo(3.5, -reach);
    leg.lineTo(7, 0);
    leg.closeSubpath();
    leg = at.map(leg);
    const QRectF r = leg.boundingRect();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, colour(pal::metalMid));
    g.setColorAt(1, colour(pal::metalShade));
    p.fillPath(leg, g);
    p.strokePath(leg, QPen(colour(pal::metalShade), 1));

    const QPointF ballCentre = at.map(QPointF(0, -reach));
    const QPainterPath ball = circle(ballCentre, 7);
    QRadialGradient shine(ballCentre + QPointF(-2.5, -2.5), 9);
    shine.setColorAt(0, colour(pal::metalHighlight));
    shine.setColorAt(0.5, colour(pal::metalMid));
    shine.setColorAt(1, colour(pal::metalShade));
    p.fillPath(ball, shine);
    p.strokePath(ball, QPen(colour(pal::metalShade), 1));
    silhouette = silhouette.united(leg).united(ball);
}

void paintBezel(QPainter &p, const PanelLayout &l)
{
    const QPainterPath disk = circle(l.centre, l.caseRadius);
    p.fillPath(disk, brushedMetal(l.centre));

    // Minute marks engraved in the bezel, longer at the hours.
    for (int i = 0; i < 60; ++i) {
        const bool hour = i % 5 == 0;
        const qreal inner = l.dialRadius + (hour ? 6 : 9);
        const qreal outer = l.caseRadius - (hour ? 7 : 10);
        const qreal angle = i * 6.0;
        p.setPen(QPen(colour(pal::tick), hour ? 2.0 : 1.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(polar(l.centre, angle, inner), polar(l.centre, angle, outer));
    }

    p.strokePath(circle(l.centre, l.caseRadius - 1.5),
                 QPen(diagonalLight(l.centre, l.caseRadius, true), 2));
}

void paintDial(QPainter &p, const PanelLayout &l)
{
    // The dial is flat where the labels lie, so that the panel's mask label
    // and the decorations, which carry the dial's colour, sit on it invisibly;
    // only its rim darkens under the bezel.
    QRadialGradient dial(l.centre, l.dialRadius);
    dial.setColorAt(0, colour(pal::face));
    dial.setColorAt((l.dialRadius - 5) / l.dialRadius, colour(pal::face));
    dial.setColorAt(1, colour(pal::faceShadow));
    p.fillPath(circle(l.centre, l.dialRadius), dial);
    p.strokePath(circle(l.centre, l.dialRadius + 1),
                 QPen(diagonalLight(l.centre, l.dialRadius, false), 2));

    for (int hour : l.dialDots) {
        const bool quarter = hour % 3 == 0;
        const QPointF at = polar(l.centre, hour * 30.0, l.dotRadius);
        p.fillPath(circle(at, quarter ? 2.1 : 1.5), colour(quarter ? 0x8A8A90 : 0x4E4E55));
    }

    QLinearGradient line(l.centre.x() - l.dividerHalfWidth, 0, l.centre.x() + l.dividerHalfWidth,
                         0);
    line.setColorAt(0, colour(0x3A393F, 0));
    line.setColorAt(0.5, colour(0x3A393F));
    line.setColorAt(1, colour(0x3A393F, 0));
    p.fillRect(QRectF(l.centre.x() - l.dividerHalfWidth, l.dividerY, 2 * l.dividerHalfWidth, 1),
               line);
}

void paintPlate(QPainter &p, const PanelLayout &l)
{
    const QPainterPath plate = capsule(l.plateFrom, l.plateTo, l.plateRadius);
    p.strokePath(plate, QPen(colour(0x000000, 140), 3));
    p.fillPath(plate, colour(pal::plate));
    const QPointF middle = (l.plateFrom + l.plateTo) / 2;
    p.strokePath(plate, QPen(diagonalLight(middle, l.plateRadius + 10, true), 1));
}

// A rounded rectangle whose top-left corner follows the badge.
QPainterPath dialogShape(const QRectF &r, qreal badgeCorner, qreal corner)
{
    QPainterPath path;
    path.moveTo(r.left() + badgeCorner, r.top());
    path.lineTo(r.right() - corner, r.top());
    path.arcTo(QRectF(r.right() - 2 * corner, r.top(), 2 * corner, 2 * corner), 90, -90);
    path.lineTo(r.right(), r.bottom() - corner);
    path.arcTo(QRectF(r.right() - 2 * corner, r.bottom() - 2 * corner, 2 * corner, 2 * corner), 0,
               -90);
    path.lineTo(r.left() + corner, r.bottom());
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * corner, 2 * corner, 2 * corner), 270, -90);
    path.lineTo(r.left(), r.top() + badgeCorner);
    path.arcTo(QRectF(r.left(), r.top(), 2 * badgeCorner, 2 * badgeCorner), 180, -90);
    path.closeSubpath();
    return path;
}

void paintIcon(QPainter &p, DialogIcon icon, QPointF c)
{
    const QColor ink = colour(pal::accent);
    QTransform t = QTransform::fromTranslate(c.x(), c.y());
    switch (icon) {
    case DialogIcon::Bell: {
        QPainterPath bell;
        bell.moveTo(-5.5, 3);
        bell.lineTo(-4.2, -0.5);
        bell.cubicTo(-4.2, -5.6, 4.2, -5.6, 4.2, -0.5);
        bell.lineTo(5.5, 3);
        bell.closeSubpath();
        bell.addEllipse(QPointF(0, 4.4), 1.5, 1.5);
        bell.addEllipse(QPointF(0, -5.2), 1.1, 1.1);
        p.fillPath(t.map(bell), ink);
        break;
    }
    case DialogIcon::Note: {
        QPainterPath heads;
        heads.addEllipse(QPointF(-3.2, 3.6), 2.2, 1.7);
        heads.addEllipse(QPointF(3.4, 2.6), 2.2, 1.7);
        p.fillPath(t.map(heads), ink);
        QPainterPath stems;
        stems.moveTo(-1.2, 3.4);
        stems.lineTo(-1.2, -4.2);
        stems.moveTo(5.4, 2.4);
        stems.lineTo(5.4, -5.2);
        p.strokePath(t.map(stems), QPen(ink, 1.1));
        QPainterPath beam;
        beam.moveTo(-1.2, -4.2);
        beam.lineTo(5.4, -5.2);
        p.strokePath(t.map(beam), QPen(ink, 2, Qt::SolidLine, Qt::FlatCap));
        break;
    }
    case DialogIcon::Sliders: {
        const qreal xs[] = {-4, 0, 4};
        const qreal knobs[] = {-2, 2.5, -0.5};
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(colour(pal::metalMid), 1, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(t.map(QPointF(xs[i], -5)), t.map(QPointF(xs[i], 5)));
            QPainterPath knob;
            knob.addRoundedRect(QRectF(xs[i] - 1.8, knobs[i] - 1.2, 3.6, 2.4), 0.8, 0.8);
            p.fillPath(t.map(knob), ink);
        }
        break;
    }
    }
}

void paintBadge(QPainter &p, QPointF c, qreal radius, DialogIcon icon)
{
    p.fillPath(circle(c, radius), brushedMetal(c));
    p.strokePath(circle(c, radius - 0.5), QPen(diagonalLight(c, radius, true), 1));
    p.fillPath(circle(c, radius - 3), colour(pal::face));
    p.strokePath(circle(c, radius - 3), QPen(diagonalLight(c, radius - 3, false), 1));
    p.strokePath(circle(c, radius), QPen(colour(pal::rim), 1));
    paintIcon(p, icon, c);
}

void paintWell(QPainter &p, const QRect &fieldRect)
{
    const QRectF r = QRectF(fieldRect).adjusted(-2, -2, 2, 2);
    QPainterPath well;
    well.addRoundedRect(r, 3, 3);
    p.fillPath(well, colour(pal::field));
    QPainterPath edge;
    edge.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, colour(pal::fieldShadow));
    g.setColorAt(0.5, colour(pal::fieldShadow));
    g.setColorAt(1, colour(pal::fieldLight));
    p.strokePath(edge, QPen(QBrush(g), 1));
}

// An engraved line that fades out at both ends.
void paintGroove(QPainter &p, qreal y, qreal left, qreal right, QRgb dark, QRgb light)
{
    for (int i = 0; i < 2; ++i) {
        const QRgb c = i == 0 ? dark : light;
        QLinearGradient g(left, 0, right, 0);
        g.setColorAt(0, colour(c, 0));
        g.setColorAt(0.15, colour(c));
        g.setColorAt(0.85, colour(c));
        g.setColorAt(1, colour(c, 0));
        p.fillRect(QRectF(left, y + i, right - left, 1), g);
    }
}

} // namespace

void paintPanel(QPainter &p, const PanelLayout &l)
{
    QPainterPath silhouette = circle(l.centre, l.caseRadius);

    const QPainterPath handle = handlePath(l);
    paintMetalPart(p, handle);
    silhouette = silhouette.united(handle);

    QPainterPath hammer;
    hammer.addRect(QRectF(l.centre.x() - 2, l.centre.y() - l.caseRadius - 12, 4, 16));
    hammer.addEllipse(polar(l.centre, 0, l.caseRadius + 15), 5.5, 5.5);
    hammer = hammer.simplified();
    paintMetalPart(p, hammer);
    silhouette = silhouette.united(hammer);

    paintBell(p, l, -l.bellAngle, silhouette);
    paintBell(p, l, l.bellAngle, silhouette);
    paintFoot(p, l, -l.footAngle, silhouette);
    paintFoot(p, l, l.footAngle, silhouette);

    paintBezel(p, l);
    paintDial(p, l);
    paintPlate(p, l);

    p.strokePath(silhouette.simplified(), QPen(colour(pal::rim), 1.6));
}

void paintDialog(QPainter &p, const DialogLayout &l)
{
    const QRectF r = QRectF(l.body).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal badgeCorner = l.badgeRadius + 9;
    const QPainterPath shape = dialogShape(r, badgeCorner, l.cornerRadius);
    p.fillPath(shape, colour(pal::body));

    p.save();
    p.setClipPath(shape);
    QLinearGradient band(0, r.top(), 0, l.sheenBottom);
    band.setColorAt(0, colour(pal::headerSheen));
    band.setColorAt(1, colour(pal::header));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), l.headerBottom - r.top()), band);
    QLinearGradient floor(0, l.floorTop, 0, r.bottom());
    floor.setColorAt(0, colour(pal::body));
    floor.setColorAt(1, colour(pal::bodyFloor));
    p.fillRect(QRectF(r.left(), l.floorTop, r.width(), r.bottom() - l.floorTop), floor);
    QLinearGradient shine(0, r.top(), 0, r.top() + 14);
    shine.setColorAt(0, colour(pal::bevelLight));
    shine.setColorAt(1, colour(pal::bevelLight, 0));
    p.strokePath(QTransform::fromTranslate(0, 1).map(shape), QPen(QBrush(shine), 1));
    QLinearGradient shade(0, r.bottom() - 14, 0, r.bottom());
    shade.setColorAt(0, colour(pal::bevelDark, 0));
    shade.setColorAt(1, colour(pal::bevelDark));
    p.strokePath(QTransform::fromTranslate(0, -1).map(shape), QPen(QBrush(shade), 1));
    p.fillRect(QRectF(r.left(), l.headerBottom, r.width(), 1), colour(pal::grooveDark));
    p.fillRect(QRectF(r.left(), l.headerBottom + 1, r.width(), 1), colour(pal::grooveLight));
    p.restore();

    paintBadge(p, QPointF(r.left() + badgeCorner, r.top() + badgeCorner), l.badgeRadius, l.icon);
    for (const QRect &field : l.wells)
        paintWell(p, field);
    for (const Divider &d : l.dividers)
        paintGroove(p, d.y, d.left, d.right, pal::grooveDark, pal::grooveLight);

    p.strokePath(shape, QPen(colour(pal::rim), 1.6));
}

void paintWordmark(QPainter &p, QSize size)
{
    const QString name = QStringLiteral("VESPERIN");
    const qreal height = 9;
    const qreal tracking = 4.2;
    const qreal width = strokeTextWidth(name, height, tracking);
    const QPointF origin((size.width() - width) / 2, (size.height() - height) / 2);
    QLinearGradient ink(0, origin.y(), 0, origin.y() + height);
    ink.setColorAt(0, colour(pal::white));
    ink.setColorAt(1, colour(0xA4A4AA));
    p.strokePath(strokeText(name, origin, height, tracking),
                 QPen(QBrush(ink), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    const qreal y = size.height() / 2.0;
    const qreal gap = 6;
    paintGroove(p, y - 0.5, 1, origin.x() - gap, 0x4A4A50, pal::face);
    paintGroove(p, y - 0.5, origin.x() + width + gap, size.width() - 1, 0x4A4A50, pal::face);
    p.fillPath(circle(QPointF(origin.x() - gap + 1.5, y), 1.3), colour(pal::accent));
    p.fillPath(circle(QPointF(origin.x() + width + gap - 1.5, y), 1.3), colour(pal::accent));
}

void paintOrnament(QPainter &p, QSize size)
{
    const QPointF c(size.width() / 2.0 - 1, size.height() / 2.0);
    QPainterPath moon = circle(c, 5.5).subtracted(circle(c + QPointF(2.6, -1.8), 4.6));
    p.fillPath(moon, colour(pal::accent));

    QPainterPath star;
    const QPointF s = c + QPointF(5.5, -3.5);
    star.moveTo(s + QPointF(0, -2.6));
    star.quadTo(s, s + QPointF(2.6, 0));
    star.quadTo(s, s + QPointF(0, 2.6));
    star.quadTo(s, s + QPointF(-2.6, 0));
    star.quadTo(s, s + QPointF(0, -2.6));
    p.fillPath(star, colour(0xFFE2B0));

    const qreal y = c.y() + 2.5;
    paintGroove(p, y, 3, c.x() - 10, 0x4A4A50, pal::face);
    paintGroove(p, y, c.x() + 12, size.width() - 3, 0x4A4A50, pal::face);
}

QImage cutOut(const QImage &layer, QRgb key, QRgb rimColour)
{
    const QImage src = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        QRgb *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a == 0) {
                to[x] = key;
                continue;
            }
            const int behind = 255 - a;
            const auto mix = [behind](int painted, int under) {
                return qMin(255, painted + (under * behind + 127) / 255);
            };
            QRgb c = qRgb(mix(qRed(in[x]), qRed(rimColour)), mix(qGreen(in[x]), qGreen(rimColour)),
                          mix(qBlue(in[x]), qBlue(rimColour)));
            if ((c & 0xFFFFFFu) == (key & 0xFFFFFFu))
                c = qRgb(qRed(c), qGreen(c), qBlue(c) ^ 1);
            to[x] = c;
        }
    }
    return out;
}

} // namespace artwork
