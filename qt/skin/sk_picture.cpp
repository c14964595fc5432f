#include "qt/skin/sk_picture.h"

#include <QMouseEvent>
#include <QPainter>

SkPicture::SkPicture(QWidget *parent) : QWidget(parent) {}

void SkPicture::setBitmap(const QImage &bitmap)
{
    m_bitmap = bitmap;
    resize(bitmap.size());
    update();
}

QColor SkPicture::transparentColor() const
{
    if (m_transparentColor.isValid())
        return m_transparentColor;
    if (m_bitmap.isNull() || m_bitmap.depth() == 1)
        return QColor(Qt::white);
    return QColor(m_bitmap.pixel(0, m_bitmap.height() - 1)).toRgb();
}

void SkPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_bitmap);
}

void SkPicture::mousePressEvent(QMouseEvent *event)
{
    if (m_onMouseDown) {
        const QPoint pos = event->position().toPoint();
        // The handler may start moving the window; hold a copy so that replacing the handler
        // from inside it is safe.
        const MouseHandler handler = m_onMouseDown;
        handler(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
    event->accept();
}
