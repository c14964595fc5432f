#include "qt/windows/audio_box.h"

#include "qt/windows/message_boxes.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

MessageBoxCallback AudioBox::over(QWidget *owner)
{
    // The callback may outlive a test's window; a gone owner leaves the box
    // without one rather than pointing at freed memory.
    QPointer<QWidget> guarded(owner);
    return [guarded](const MessageBoxRequest &request) {
        const QString caption = request.caption ? QString::fromLocal8Bit(*request.caption)
                                                : QCoreApplication::applicationName();
        const MessageBoxes::Icon icon = request.icon == MessageBoxRequest::Icon::Error
                                            ? MessageBoxes::Icon::Error
                                            : MessageBoxes::Icon::None;
        MessageBoxes::current().show(guarded.data(), caption, QString::fromLocal8Bit(request.text),
                                     icon);
    };
}
