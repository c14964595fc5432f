#include "app/windows/frm_select_music.h"

#include "app/windows/layout_artwork.h"
#include "app/windows/window_fonts.h"
#include "skin/sk_button.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

TfrmSelectMusic::TfrmSelectMusic(AcpiBridge &bridge, QWidget *parent)
    : MusicDialog(parent, Qt::Window | Qt::FramelessWindowHint), imgBg(new SkPicture(this)),
      m_bridge(bridge), shapedForm(this, imgBg)
{
    setObjectName(QStringLiteral("frmSelectMusic"));
    setWindowTitle(QStringLiteral("Music Selection"));
    setFixedSize(276, 340);
    setFont(WindowFonts::dialogText());

    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, objectName());
    imgBg->move(-4, -5);
    lblTitle = new QLabel(QStringLiteral("Music Selection"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(WindowFonts::arial(12));
    lblTitle->move(44, 9);
    skbClose = new SkButton(this);
    skbClose->setObjectName(QStringLiteral("skbClose"));
    LayoutArtwork::fillButton(skbClose, objectName(), 0x474748);
    skbClose->move(233, 20);
    connect(skbClose, &SkButton::clicked, this, &TfrmSelectMusic::skbCloseClick);
    cbxCDROM = new QComboBox(this);
    cbxCDROM->setObjectName(QStringLiteral("cbxCDROM"));
    cbxCDROM->setGeometry(148, 51, 98, 21);
    lblCurTrack = new QLabel(this);
    lblCurTrack->setObjectName(QStringLiteral("lblCurTrack"));
    lblCurTrack->setGeometry(143, 81, 12, 13);

    shapedForm.Apply();

    // No drives are searched yet: the search ends at the first tick.
    tmrWaiting = new QTimer(this);
    tmrWaiting->setObjectName(QStringLiteral("tmrWaiting"));
    tmrWaiting->setInterval(500);
    connect(tmrWaiting, &QTimer::timeout, this, &TfrmSelectMusic::tmrWaitingTimer);
    tmrWaiting->start();
}

TfrmSelectMusic::~TfrmSelectMusic() = default;

QString TfrmSelectMusic::selectedDrive() const
{
    return cbxCDROM->currentIndex() >= 0 ? cbxCDROM->currentText() : QString();
}

QString TfrmSelectMusic::currentTrack() const
{
    return lblCurTrack->text();
}

void TfrmSelectMusic::clickClose()
{
    skbCloseClick();
}

void TfrmSelectMusic::tmrWaitingTimer()
{
    tmrWaiting->stop();
    emit driveSearchEnded();
}

void TfrmSelectMusic::skbCloseClick()
{
    hide();
}
