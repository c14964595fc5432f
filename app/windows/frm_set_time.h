#pragma once

#include "app/windows/gdi_object.h"
#include "app/windows/label.h"
#include "app/windows/setting_dialog.h"

#include <memory>
#include <optional>

class AcpiBridge;
class EditField;
class ShapedForm;
class SkButton;
class SkButtonTx;
class SkCheckBox;
class SkPicture;
class SkRadioButton;
class Timer;
struct TimeSetting;

// The dialog in which the user switches the alarm on or off and sets its time
// (12-hour form with AM/PM) and days. It reads the firmware each time it is
// created or shown and writes when the user presses OK. Its controls are the
// application's copy of the alarm time: the panel shows what they hold.
class TfrmSetTime : public SettingDialog
{
public:
    TfrmSetTime(AcpiBridge &bridge, HWND owner);
    ~TfrmSetTime() override;

    void clickClose() override;

    // Loads the status and the time setting into the controls.
    void ReadAlarmTime();
    // Writes the status and, when the alarm is on, the time setting, and
    // checks that the firmware holds what was written.
    bool WriteAlarmTime();
    // The time setting the controls hold, as the firmware keeps it (24-hour
    // form, a bit for each day, Sunday the lowest).
    TimeSetting settingShown() const;
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

    // The day boxes by day, 0 Sunday to 6 Saturday.
    SkCheckBox *dayBox(int day) const;

    SkPicture *imgBg = nullptr;
    Label *lblTitle = nullptr;
    SkButton *skbClose = nullptr;
    SkCheckBox *skcDisabled = nullptr;
    Label *Label2 = nullptr;
    Label *lblDays = nullptr;
    SkCheckBox *skcSun = nullptr;
    Label *lblSun = nullptr;
    SkCheckBox *skcMon = nullptr;
    Label *lblMon = nullptr;
    SkCheckBox *skcTue = nullptr;
    Label *lblTue = nullptr;
    SkCheckBox *skcWed = nullptr;
    Label *lblWed = nullptr;
    SkCheckBox *skcThu = nullptr;
    Label *lblThu = nullptr;
    SkCheckBox *skcFri = nullptr;
    Label *lblFri = nullptr;
    SkCheckBox *skcSat = nullptr;
    Label *lblSat = nullptr;
    Label *lblHourMinute = nullptr;
    Label *lblHour = nullptr;
    EditField *edtHourVal = nullptr;
    SkButton *skbArrowUpHour = nullptr;
    SkButton *skbArrowDHour = nullptr;
    Label *lblMinute = nullptr;
    EditField *edtMinuteVal = nullptr;
    SkButton *skbArrowUpMin = nullptr;
    SkButton *skbArrowDMin = nullptr;
    SkRadioButton *skrAM = nullptr;
    SkRadioButton *skrPM = nullptr;
    SkButtonTx *skbOK = nullptr;
    SkButtonTx *skbCancel = nullptr;
    std::unique_ptr<Timer> tmrUpDown;

protected:
    void FormShow() override;
    void FormHide() override;

private:
    void buildControls();
    void step(int tag);
    void nameForAssistiveTechnology();
    bool firmwareHolds(bool disabled, const TimeSetting *written);
    bool readStatusChecked(bool &enabled);
    bool readTimeChecked(TimeSetting &setting);

    AcpiBridge &m_bridge;
    std::unique_ptr<ShapedForm> shapedForm;
    BrushObject m_backdropBrush;
    std::optional<Backdrop> m_backdrop;
    // The tag of the arrow last pressed.
    int m_heldArrow = 0;
};
