#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

class QWidget;

// A region of the window system with the few operations the skin toolkit needs: the outline of
// a shaped window and of a transparent skinned control, and the hit testing against it.
//
// The region is held as a QRegion. Region operations cannot fail in Qt, so unlike their Windows
// counterparts they report nothing. Copies own their own area.
class WinRegion
{
public:
    // An empty region.
    WinRegion() = default;
    WinRegion(const WinRegion &other) = default;
    WinRegion &operator=(const WinRegion &other) = default;

    // Makes the region exactly the rectangle from (left, top) to (right, bottom), right and
    // bottom excluded. A rectangle without area makes the region empty.
    void SetRect(int left, int top, int right, int bottom);
    // This region minus other.
    void Subtract(const WinRegion &other);
    void Offset(int dx, int dy);

    // Makes the region the bitmap's rectangle minus its pixels whose red, green and blue equal
    // the colour's exactly; the colour's alpha is ignored. The bitmap is read as 24 bits per pixel
    // whatever its format (an 8-bit bitmap through its palette, a 32-bit one without its alpha)
    // and is not changed.
    void FromBitmap(const QImage &bitmap, QColor colour);

    // Installs the region as the widget's mask: for a top-level window its shape on the screen,
    // for a child widget the area where it paints and takes the mouse. An empty region hides the
    // whole widget and lets every click through (QWidget::setMask would take an empty region to
    // mean "no mask"). redraw repaints the widget at once.
    void ApplyToWindow(QWidget *window, bool redraw) const;

    bool Contains(int x, int y) const { return m_region.contains(QPoint(x, y)); }
    bool isEmpty() const { return m_region.isEmpty(); }
    const QRegion &region() const { return m_region; }

private:
    QRegion m_region;
};
