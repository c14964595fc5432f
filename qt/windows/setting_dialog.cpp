#include "qt/windows/setting_dialog.h"

#include "qt/skin/sk_picture.h"

#include <QLabel>
#include <QMouseEvent>

void SettingDialog::dragByTitle(QLabel *title, SkPicture *background)
{
    m_title = title;
    m_background = background;
    title->installEventFilter(this);
}

bool SettingDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_title && m_title && event->type() == QEvent::MouseButtonPress &&
        m_background->OnMouseDown()) {
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint at = press->position().toPoint();
        // A copy: the handler may replace itself while it runs.
        const SkPicture::MouseHandler handler = m_background->OnMouseDown();
        handler(m_title, press->button(), press->modifiers(), at.x(), at.y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
