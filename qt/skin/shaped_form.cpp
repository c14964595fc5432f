#include "qt/skin/shaped_form.h"

#include "qt/skin/win_region.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

// Moves the window with the mouse while the left button, pressed on the picture, stays down.
// The picture keeps the implicit mouse grab of the press, so its move and release events arrive
// here even when the pointer leaves it.
class ShapedForm::FallbackMove : public QObject
{
public:
    FallbackMove(QWidget *window, QWidget *picture) : m_window(window), m_picture(picture)
    {
        m_picture->installEventFilter(this);
    }
    ~FallbackMove() override
    {
        if (m_picture)
            m_picture->removeEventFilter(this);
    }

    void start(QPoint globalPos)
    {
        m_active = true;
        m_pressGlobal = globalPos;
        m_startPos = m_window->pos();
    }
    bool active() const { return m_active; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!m_active || !m_window)
            return false;
        if (event->type() == QEvent::MouseMove) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            m_window->move(m_startPos + mouse->globalPosition().toPoint() - m_pressGlobal);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_active = false;
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_picture;
    bool m_active = false;
    QPoint m_pressGlobal;
    QPoint m_startPos;
};

ShapedForm::ShapedForm(QWidget *window, SkPicture *picture) : m_window(window), m_picture(picture)
{
}

ShapedForm::~ShapedForm()
{
    m_fallback.reset();
    if (m_applied && m_picture)
        m_picture->SetOnMouseDown(m_savedMouseDown);
}

void ShapedForm::Apply()
{
    Apply(m_picture->transparentColor());
}

void ShapedForm::Apply(QColor colour)
{
    if (m_applied)
        return;

    // A frameless window has its outer corner at its client origin, so the picture's place in
    // the window is the offset the outline needs.
    if (!(m_window->windowFlags() & Qt::FramelessWindowHint)) {
        const bool wasVisible = m_window->isVisible();
        m_window->setWindowFlag(Qt::FramelessWindowHint, true);
        if (wasVisible)
            m_window->show();
    }
    WinRegion outline;
    outline.FromBitmap(m_picture->bitmap(), colour);
    const QPoint offset = m_picture->mapTo(m_window, QPoint(0, 0));
    outline.Offset(offset.x(), offset.y());
    outline.ApplyToWindow(m_window, true);

    m_savedMouseDown = m_picture->OnMouseDown();
    m_picture->SetOnMouseDown([this](QWidget *sender, Qt::MouseButton button,
                                     Qt::KeyboardModifiers modifiers, int x,
                                     int y) { pictureMouseDown(sender, button, modifiers, x, y); });
    m_fallback = std::make_unique<FallbackMove>(m_window, m_picture);
    m_applied = true;
}

bool ShapedForm::movingByMouse() const
{
    return m_fallback && m_fallback->active();
}

void ShapedForm::pictureMouseDown(QWidget *sender, Qt::MouseButton button,
                                  Qt::KeyboardModifiers modifiers, int x, int y)
{
    if (button == Qt::LeftButton && m_window) {
        QWindow *handle = m_window->windowHandle();
        if (!handle || !handle->startSystemMove())
            m_fallback->start(m_picture->mapToGlobal(QPoint(x, y)));
    }
    if (m_savedMouseDown)
        m_savedMouseDown(sender, button, modifiers, x, y);
}
