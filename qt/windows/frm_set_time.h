#pragma once

#include "qt/windows/setting_dialog.h"
#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_picture.h"

#include <cstdint>

class AcpiBridge;
class QLabel;
class QLineEdit;
class QTimer;
class SkButton;
class SkButtonTx;
class SkCheckBox;
class SkRadioButton;
struct TimeSetting;

// The dialog in which the user switches the alarm on or off and sets its time
// (12-hour form with AM/PM) and days. It reads the firmware each time it is
// created or shown and writes when the user presses OK. Its controls are the
// application's copy of the alarm time: the panel shows what they hold.
class TfrmSetTime : public SettingDialog
{
    Q_OBJECT

public:
    explicit TfrmSetTime(AcpiBridge &bridge, QWidget *parent = nullptr);
    ~TfrmSetTime() override;

    void clickClose() override;

    // Loads the status and the time setting into the controls.
    void ReadAlarmTime();
    // Writes the status and, when the alarm is on, the time setting, and
    // checks that the firmware holds what was written.
    bool WriteAlarmTime();
    // Greys the time controls while the alarm is off.
    void UpdateEnabledState();

    void skbOKClick();
    void skbCancelClick();
    void skbCloseClick();
    // Press-and-hold stepping of the four arrows, told apart by their tags
    // 0 hour up, 1 hour down, 2 minute up, 3 minute down.
    void skbArrowMouseDown(int tag);
    void skbArrowMouseUp();
    void tmrUpDownTimer();
    void edtHourValChange();
    void edtMinuteValChange();

    SkPicture *imgBg;
    QLabel *lblTitle;
    SkButton *skbClose;
    SkCheckBox *skcDisabled;
    QLabel *Label2;
    QLabel *lblDays;
    SkCheckBox *skcSun;
    QLabel *lblSun;
    SkCheckBox *skcMon;
    QLabel *lblMon;
    SkCheckBox *skcTue;
    QLabel *lblTue;
    SkCheckBox *skcWed;
    QLabel *lblWed;
    SkCheckBox *skcThu;
    QLabel *lblThu;
    SkCheckBox *skcFri;
    QLabel *lblFri;
    SkCheckBox *skcSat;
    QLabel *lblSat;
    QLabel *lblHourMinute;
    QLabel *lblHour;
    QLineEdit *edtHourVal;
    SkButton *skbArrowUpHour;
    SkButton *skbArrowDHour;
    QLabel *lblMinute;
    QLineEdit *edtMinuteVal;
    SkButton *skbArrowUpMin;
    SkButton *skbArrowDMin;
    SkRadioButton *skrAM;
    SkRadioButton *skrPM;
    SkButtonTx *skbOK;
    SkButtonTx *skbCancel;
    QTimer *tmrUpDown;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildControls();
    SkCheckBox *addDay(const char *boxName, const char *labelName, const QString &text, int left,
                       int top, int labelLeft, int labelTop, QLabel **label);
    SkButton *addArrow(const char *name, int tag, int left, int top, uint32_t transparentColour);
    void step(int tag);
    bool firmwareHolds(bool disabled, const TimeSetting *written);
    SkCheckBox *dayBox(int day) const;

    AcpiBridge &m_bridge;
    ShapedForm shapedForm;
    // The tag of the arrow last pressed.
    int m_heldArrow = 0;
};
