#pragma once

#include "tools/artwork/layout.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <vector>

// The one table of every bitmap the windows use: its file, size, key colour,
// where it sits and what paints it.
namespace artwork {

struct Window
{
    QString name;
    QSize client;   // the client area the picture is seen through
    QPoint picture; // the background picture's top-left corner in the client area
    QSize pictureSize;
};

// A control that must lie on a flat area of one colour of its window's
// background: edit fields, combo boxes and lists on recessed wells of the field
// colour, the panel's mask label on the dial. Client coordinates.
struct Surface
{
    QString window;
    QString control;
    QRect rect;
    QRgb colour = 0;
};

struct Bitmap
{
    QString window;
    QString control;
    QString state; // empty for pictures; "raised", "checked_disabled", ...
    QSize size;
    QRgb key = 0;
    QPoint position; // top-left corner in the window's client area
    bool background = false;
    std::function<void(QPainter &, QSize)> paint;

    // The file under the images folder: window/control[_state].png.
    QString file() const;
};

const std::vector<Window> &windows();
const Window &window(const QString &name);
const std::vector<Surface> &surfaces();
const std::vector<Bitmap> &bitmaps();

// The bitmap as it is written: 24-bit colour, its key where it is transparent.
QImage render(const Bitmap &bitmap);

} // namespace artwork
