#pragma once

#include "app/windows/label.h"
#include "app/windows/setting_dialog.h"
#include "skin/gdi_handle.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class AlarmModel;
struct HeldTime;
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
// (12-hour form with AM/PM) and days. It loads the alarm model each time it
// is created or shown, and its controls then hold what the user edits; OK
// writes them through the model, and the panel shows what the firmware holds
// afterwards. A field the firmware would not give shows as "--" until the
// user sets it, and OK writes nothing while one is left.
class TfrmSetTime : public SettingDialog
{
public:
    TfrmSetTime(AlarmModel &alarm, HWND owner);
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
    // The fields of the time setting that are still unknown: the firmware
    // would not give them and the user has not set them.
    std::vector<std::string> unknownFields() const;
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
    void showTime(const HeldTime &time);
    void showUnknown(EditField *field, bool &unknown);
    // A field left unknown keeps "--" until the user changes it.
    bool keptUnknown(EditField *field, bool &unknown);

    AlarmModel &m_alarm;
    bool m_hourUnknown = false;
    bool m_minuteUnknown = false;
    bool m_daysUnknown = false;
    std::unique_ptr<ShapedForm> shapedForm;
    BrushHandle m_backdropBrush;
    std::optional<Backdrop> m_backdrop;
    // The tag of the arrow last pressed.
    int m_heldArrow = 0;
};
