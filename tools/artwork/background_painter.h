#pragma once

#include "tools/artwork/layout.h"

#include <QImage>
#include <QPainter>

// Painters of the windows' backgrounds and of the main panel's decorations.
namespace artwork {

// Paint onto a transparent layer; cutOut() then turns the layer into the
// bitmap whose key pixels cut the window's outline.
void paintPanel(QPainter &p, const PanelLayout &layout);
void paintDialog(QPainter &p, const DialogLayout &layout);

// The product's name in capitals, centred on the dial's colour.
void paintWordmark(QPainter &p, QSize size);

// An evening moon and star between two hairlines.
void paintOrnament(QPainter &p, QSize size);

// Flattens a layer painted with antialiasing onto a bitmap for a window
// outline: fully transparent pixels become the key, every other pixel is the
// layer laid over the dark rim colour. Partly covered edge pixels therefore
// fade into the rim, never into the key, and no light fringe shows on any
// desktop. A painted pixel that happens to equal the key is moved off it by one
// unit of blue, so it is never cut.
QImage cutOut(const QImage &layer, QRgb key, QRgb rimColour);

} // namespace artwork
