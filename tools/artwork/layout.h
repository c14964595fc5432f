#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>
#include <vector>

// The shapes of the windows' backgrounds. Coordinates are picture pixels
// unless a field says otherwise.
namespace artwork {

// The main panel: a twin-bell alarm clock. Angles are degrees clockwise from
// twelve o'clock around the dial's centre.
struct PanelLayout
{
    QSize size;
    QPointF centre;
    qreal caseRadius = 0; // the metal bezel's outer edge
    qreal dialRadius = 0; // the dark dial inside the bezel
    qreal bellAngle = 0;  // each bell sits at plus and minus this angle
    qreal bellRadius = 0;
    qreal bellDistance = 0; // from the centre to the middle of a bell's base
    qreal handleAngle = 0;  // the carrying handle's posts
    qreal handleRadius = 0; // where the posts end and the bail begins
    qreal handleLift = 0;   // how far the bail's curve pulls upwards
    qreal handleWidth = 0;
    qreal footAngle = 0;
    qreal footLength = 0; // beyond the bezel's edge
    // The plate under the close and minimise buttons: a capsule around the
    // segment from plateFrom to plateTo.
    QPointF plateFrom;
    QPointF plateTo;
    qreal plateRadius = 0;
    std::vector<int> dialDots; // hour positions that carry a dot (0 to 11)
    qreal dotRadius = 0;       // distance of the dots from the centre
    qreal dividerY = 0;        // a hairline between the time and the music rows
    qreal dividerHalfWidth = 0;
};

enum class DialogIcon
{
    Bell,
    Note,
    Sliders
};

struct Divider
{
    int y = 0;
    int left = 0;
    int right = 0;
};

// A dialog: a dark body under a lighter title band, its round badge in the
// top-left corner, recessed wells under its edit fields and lists.
struct DialogLayout
{
    QSize size;
    QRect body; // the outline's bounding rectangle
    int headerBottom = 0;
    int sheenBottom = 0; // the title band is lit from above down to this row
    int floorTop = 0;    // below this row, under every control, the body darkens
    qreal badgeRadius = 0;
    qreal cornerRadius = 0;
    DialogIcon icon = DialogIcon::Bell;
    std::vector<QRect> wells; // the fields they surround, in picture pixels
    std::vector<Divider> dividers;
};

} // namespace artwork
