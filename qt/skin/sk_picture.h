#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

// A picture control: shows its bitmap unscaled with the bitmap's pixel (0, 0) at the control's
// top-left corner, and sizes itself to the bitmap. A shaped window takes the outline of its
// background picture (ShapedForm).
//
// Its mouse-down event is a replaceable handler rather than a signal, because ShapedForm hooks
// it: it keeps the handler that was installed, runs it after its own work and puts it back when
// it goes away.
class SkPicture : public QWidget
{
    Q_OBJECT
public:
    using MouseHandler = std::function<void(QWidget *sender, Qt::MouseButton button,
                                            Qt::KeyboardModifiers modifiers, int x, int y)>;

    explicit SkPicture(QWidget *parent = nullptr);

    const QImage &bitmap() const { return m_bitmap; }
    // Shows the bitmap and resizes the control to it.
    void setBitmap(const QImage &bitmap);

    // The bitmap's transparent colour: the colour set with setTransparentColor, or, when none is
    // set (an invalid colour), the bitmap's bottom-left pixel; white for a one-bit or an empty
    // bitmap.
    QColor transparentColor() const;
    void setTransparentColor(QColor colour) { m_transparentColor = colour; }

    const MouseHandler &OnMouseDown() const { return m_onMouseDown; }
    void SetOnMouseDown(MouseHandler handler) { m_onMouseDown = std::move(handler); }

    QSize sizeHint() const override { return m_bitmap.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_bitmap;
    QColor m_transparentColor;
    MouseHandler m_onMouseDown;
};
