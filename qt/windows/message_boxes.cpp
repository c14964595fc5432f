#include "qt/windows/message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

class RealMessageBoxes : public MessageBoxes
{
public:
    void show(QWidget *owner, const QString &caption, const QString &text, Icon icon) override
    {
        QMessageBox box(toQt(icon), caption, text, QMessageBox::Ok, owner);
        box.exec();
    }

private:
    static QMessageBox::Icon toQt(Icon icon)
    {
        switch (icon) {
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }
};

RealMessageBoxes realBoxes;
MessageBoxes *installed = nullptr;

} // namespace

MessageBoxes &MessageBoxes::current()
{
    return installed ? *installed : realBoxes;
}

void MessageBoxes::install(MessageBoxes *boxes)
{
    installed = boxes;
}

void MessageBoxes::tell(QWidget *owner, const QString &text, Icon icon)
{
    // The application's title is its name; the program entry sets it, and
    // no display name is set, so window titles get nothing appended.
    current().show(owner, QCoreApplication::applicationName(), text, icon);
}
