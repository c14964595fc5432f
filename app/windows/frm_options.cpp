#include "app/windows/frm_options.h"

#include "app/windows/layout_artwork.h"
#include "app/windows/window_fonts.h"
#include "skin/sk_button.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

TfrmOptions::TfrmOptions(AcpiBridge &bridge, QWidget *parent)
    : OptionsDialog(parent, Qt::Window | Qt::FramelessWindowHint), imgBg(new SkPicture(this)),
      m_bridge(bridge), shapedForm(this, imgBg)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral(" Options"));
    setFixedSize(349, 239);
    setFont(WindowFonts::dialogText());

    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, objectName());
    imgBg->move(-3, -5);
    lblTitle = new QLabel(QStringLiteral("Options"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(WindowFonts::arial(12));
    lblTitle->move(44, 9);
    skbClose = new SkButton(this);
    skbClose->setObjectName(QStringLiteral("skbClose"));
    LayoutArtwork::fillButton(skbClose, objectName(), 0x474748);
    skbClose->move(305, 19);
    connect(skbClose, &SkButton::clicked, this, &TfrmOptions::skbCloseClick);
    cbxMode = new QComboBox(this);
    cbxMode->setObjectName(QStringLiteral("cbxMode"));
    cbxMode->setGeometry(135, 71, 128, 21);
    cbxDuration = new QComboBox(this);
    cbxDuration->setObjectName(QStringLiteral("cbxDuration"));
    cbxDuration->setGeometry(135, 98, 128, 21);
    // Empty until the firmware's volume is loaded.
    edtVolume = new QLineEdit(this);
    edtVolume->setObjectName(QStringLiteral("edtVolume"));
    edtVolume->setFrame(false);
    edtVolume->setMaxLength(2);
    edtVolume->setGeometry(140, 152, 17, 14);

    shapedForm.Apply();
}

TfrmOptions::~TfrmOptions() = default;

QString TfrmOptions::selectedMode() const
{
    return cbxMode->currentIndex() >= 0 ? cbxMode->currentText() : QString();
}

QString TfrmOptions::selectedDuration() const
{
    return cbxDuration->currentIndex() >= 0 ? cbxDuration->currentText() : QString();
}

QString TfrmOptions::volume() const
{
    return edtVolume->text();
}

void TfrmOptions::clickClose()
{
    skbCloseClick();
}

void TfrmOptions::skbCloseClick()
{
    hide();
}
