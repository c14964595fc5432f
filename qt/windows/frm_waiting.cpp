#include "qt/windows/frm_waiting.h"

#include "qt/windows/screen_size.h"
#include "qt/windows/window_fonts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShowEvent>

TfrmWaiting::TfrmWaiting(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmWaiting"));
    setWindowTitle(QStringLiteral("Vesperin"));
    setFixedSize(306, 29);

    Label1 = new QLabel(QStringLiteral("Searching CD-ROMs, please wait..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The system's default dialog font on the notebooks this runs on.
    Label1->setFont(WindowFonts::dialogText());
    Label1->move(70, 7);
    Label1->adjustSize();
}

void TfrmWaiting::showEvent(QShowEvent *event)
{
    // Centred by its outer size, which is known once the window exists.
    if (!event->spontaneous()) {
        const QSize screen = ScreenSize::current().size();
        const QSize outer = frameGeometry().size();
        move((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
    }
    QWidget::showEvent(event);
}

void TfrmWaiting::closeEvent(QCloseEvent *event)
{
    // Only the end of the drive search takes this window away.
    event->ignore();
}
