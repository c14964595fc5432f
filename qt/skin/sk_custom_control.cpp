#include "qt/skin/sk_custom_control.h"

#include <QPaintEvent>
#include <QPainter>

SkCustomControl::SkCustomControl(QWidget *parent, bool clicksDisabled, int stateCount)
    : SkControl(parent, clicksDisabled), m_display(this, stateCount)
{
    m_savedBitmapChange = m_display.changeHandler();
    m_display.setChangeHandler([this](int index) { BitmapChanged(index); });
}

SkCustomControl::~SkCustomControl()
{
    // A subclass is gone by now; changes from here on reach the display alone.
    m_display.setChangeHandler(m_savedBitmapChange);
}

void SkCustomControl::ShowBitmap(int index)
{
    m_requestedState = index;
    while (index != 0 && m_display.Bitmap(index).isNull())
        index = Substitute(index);
    m_display.SetState(index);
}

int SkCustomControl::Substitute(int) const
{
    return 0;
}

void SkCustomControl::SetTransparent(bool value)
{
    if (value == m_display.transparent())
        return;
    m_display.setTransparent(value);
    UpdateOutline();
}

void SkCustomControl::SetTransparentColor(QColor colour)
{
    m_display.setTransparentColor(colour);
    UpdateOutline();
}

bool SkCustomControl::HitTest(int x, int y) const
{
    return m_outline.Contains(x, y);
}

void SkCustomControl::SetBitmap(const QImage &bitmap, int index)
{
    if (index == 0 && !bitmap.isNull())
        m_display.setTransparentColor(QColor(bitmap.pixel(0, bitmap.height() - 1)));
    m_display.SetBitmap(index, bitmap);
}

void SkCustomControl::FillStateBitmap(int index, const QImage &bitmap)
{
    m_display.SetBitmap(index, bitmap);
}

void SkCustomControl::Repaint()
{
    m_display.Redraw();
}

QSize SkCustomControl::sizeHint() const
{
    if (m_display.Bitmap(0).isNull())
        return QWidget::sizeHint();
    return QSize(m_display.Width(), m_display.Height());
}

void SkCustomControl::BitmapChanged(int index)
{
    if (index != 0) {
        if (index == m_requestedState)
            ShowBitmap(index);
        if (m_savedBitmapChange)
            m_savedBitmapChange(index);
        return;
    }
    const QImage &raised = m_display.Bitmap(0);
    m_display.Resize(raised.width(), raised.height());
    if (m_savedBitmapChange)
        m_savedBitmapChange(index);
    Repaint();
    if (!raised.isNull()) {
        setFixedSize(raised.size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    UpdateOutline();
}

void SkCustomControl::UpdateOutline()
{
    const QImage &raised = m_display.Bitmap(0);
    if (!Transparent())
        m_outline.SetRect(0, 0, width(), height());
    else if (raised.isNull())
        m_outline = WinRegion();
    else
        m_outline.FromBitmap(raised, TransparentColor());

    if (Transparent() && !raised.isNull())
        m_outline.ApplyToWindow(this, true);
    else
        clearMask();
}

void SkCustomControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_display.surface());
}

void SkCustomControl::resizeEvent(QResizeEvent *event)
{
    SkControl::resizeEvent(event);
    UpdateOutline();
}
