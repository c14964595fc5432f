#include "qt/skin/bmp_led_ctrl.h"

#include "qt/skin/skin_assert.h"

#include <QPainter>
#include <QWidget>

TBmpLEDCtrl::TBmpLEDCtrl(QWidget *host, int stateCount) : m_host(host)
{
    SKIN_ASSERT(stateCount > 0);
    m_bitmaps.resize(static_cast<std::size_t>(stateCount));
    m_surface = QImage(0, 0, QImage::Format_RGB888);
    m_changeHandler = [this](int index) { bitmapChanged(index); };
}

const QImage &TBmpLEDCtrl::Bitmap(int index) const
{
    SKIN_ASSERT(index >= 0 && index < (int)m_bitmaps.size());
    return m_bitmaps[static_cast<std::size_t>(index)];
}

void TBmpLEDCtrl::SetBitmap(int index, const QImage &bitmap)
{
    SKIN_ASSERT(index >= 0 && index < (int)m_bitmaps.size());
    m_bitmaps[static_cast<std::size_t>(index)] = bitmap;
    if (m_changeHandler)
        m_changeHandler(index);
}

void TBmpLEDCtrl::SetState(int state)
{
    if (state == m_state)
        return;
    SKIN_ASSERT(state >= 0 && state < StateCount());
    m_state = state;
    copyCurrentToSurface();
}

void TBmpLEDCtrl::Redraw()
{
    SKIN_ASSERT(m_state >= 0 && m_state < StateCount());
    copyCurrentToSurface();
}

void TBmpLEDCtrl::Resize(int width, int height)
{
    if (width == m_surface.width() && height == m_surface.height())
        return;
    QImage resized(width, height, QImage::Format_RGB888);
    resized.fill(Qt::white);
    if (!m_surface.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, m_surface);
    }
    m_surface = resized;
    m_host->update();
}

void TBmpLEDCtrl::setTransparentColor(QColor colour)
{
    m_transparentColor = QColor(colour.red(), colour.green(), colour.blue());
}

// The bitmap is taken as 24-bit and copied as it is, without blending; a bitmap smaller than
// the surface leaves the rest of the surface as it was.
void TBmpLEDCtrl::copyCurrentToSurface()
{
    const QImage &bitmap = m_bitmaps[static_cast<std::size_t>(m_state)];
    if (!bitmap.isNull() && !m_surface.isNull()) {
        const QImage figure = bitmap.convertToFormat(QImage::Format_RGB888);
        QPainter painter(&m_surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, figure);
    }
    m_host->update();
}

void TBmpLEDCtrl::bitmapChanged(int index)
{
    if (index == m_state)
        Redraw();
}
