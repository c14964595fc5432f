#pragma once

#include "app/windows/music_dialog.h"
#include "skin/shaped_form.h"
#include "skin/sk_picture.h"

class AcpiBridge;
class QComboBox;
class QLabel;
class QTimer;
class SkButton;

// The music selection dialog: the CD drive and the track the alarm plays.
// This first version searches no drives and lists no tracks: its drive search
// ends at once, through the same 500 ms timer that later waits for the real
// search, and it holds no choice.
class TfrmSelectMusic : public MusicDialog
{
    Q_OBJECT

public:
    explicit TfrmSelectMusic(AcpiBridge &bridge, QWidget *parent = nullptr);
    ~TfrmSelectMusic() override;

    QString selectedDrive() const override;
    QString currentTrack() const override;
    void clickClose() override;

    void tmrWaitingTimer();
    void skbCloseClick();

    SkPicture *imgBg;
    QLabel *lblTitle;
    SkButton *skbClose;
    QComboBox *cbxCDROM;
    QLabel *lblCurTrack;
    QTimer *tmrWaiting;

private:
    AcpiBridge &m_bridge;
    ShapedForm shapedForm;
};
