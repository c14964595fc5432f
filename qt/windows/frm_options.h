#pragma once

#include "qt/windows/options_dialog.h"
#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_picture.h"

#include <cstdint>

class AcpiBridge;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class SkButton;
class SkButtonTx;
class TfrmSelectMusic;

// The dialog in which the user sets how the alarm music plays: the repeat
// mode and the duration from the firmware's lists, and the volume. Test
// plays the chosen music now, through the music selection dialog's player,
// at the chosen volume and for the chosen duration. Its controls are the
// application's copy of these settings: the panel shows what they hold.
class TfrmOptions : public OptionsDialog
{
    Q_OBJECT

public:
    explicit TfrmOptions(AcpiBridge &bridge, QWidget *parent = nullptr);
    ~TfrmOptions() override;

    QString selectedMode() const override;
    QString selectedDuration() const override;
    QString volume() const override;
    void clickClose() override;

    // Selects the firmware's repeat mode, duration and volume.
    void LoadOptions();
    // Writes them and checks that the firmware took them.
    bool WriteOptions();
    void StepVolumeUp();
    void StepVolumeDown();
    // Press-and-hold stepping of the two volume arrows: tag 0 up, 1 down.
    void skbArrowDMinMouseDown(int tag);
    void skbArrowDMinMouseUp();
    void tmrUpDownTimer();
    void edtVolumeChange();
    void skbTestClick();
    void tmrDurationTimer();
    void StopTest();
    void skbOKClick();
    void skbCancelClick();
    void skbCloseClick();

    // The mixer level of one volume number.
    uint32_t mixerLevel(int volumeNumber) const;

    SkPicture *imgBg;
    QLabel *lblTitle;
    SkButton *skbClose;
    QLabel *Label2;
    QLabel *Label4;
    QLabel *Label7;
    QComboBox *cbxMode;
    QLabel *Label6;
    QLabel *Label8;
    QComboBox *cbxDuration;
    QLabel *Label9;
    QLabel *Label10;
    QLineEdit *edtVolume;
    SkButton *skbArrowUpMin;
    SkButton *skbArrowDMin;
    SkButtonTx *skbTest;
    SkButtonTx *skbOK;
    SkButtonTx *skbCancel;
    QTimer *tmrUpDown;
    QTimer *tmrDuration;

    // The number of volume values the firmware offers, the highest volume number.
    int32_t MaxVolume = 0;
    // The mixer level per volume number.
    int32_t MixerStep = 0;
    // The length of the running test in seconds.
    uint32_t TestDuration = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    void fillChoices();
    int volumeNumber() const;
    void setVolumeNumber(int number);
    TfrmSelectMusic *music() const;

    AcpiBridge &m_bridge;
    ShapedForm shapedForm;
    // The tag of the volume arrow last pressed.
    int m_heldArrow = 0;
    // The tick count in milliseconds at which the running test began.
    uint32_t m_testStartMs = 0;
};
