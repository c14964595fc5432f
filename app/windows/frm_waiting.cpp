#include "app/windows/frm_waiting.h"

#include "app/windows/screen_size.h"
#include "app/windows/window_fonts.h"

#include <QCloseEvent>
#include <QLabel>

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

    const QSize screen = ScreenSize::current().size();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void TfrmWaiting::closeEvent(QCloseEvent *event)
{
    // Only the end of the drive search takes this window away.
    event->ignore();
}
