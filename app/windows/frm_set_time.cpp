#include "app/windows/frm_set_time.h"

#include "app/alarm/alarm_model.h"
#include "app/windows/control_table.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/message_boxes.h"
#include "app/windows/time_fields.h"
#include "app/windows/timer.h"
#include "app/windows/unknown_fields.h"
#include "app/windows/window_fonts.h"
#include "skin/shaped_form.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_check_box.h"
#include "skin/sk_picture.h"
#include "skin/sk_radio_button.h"

namespace {

const char Form[] = "frmSetTime";
const COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
const COLORREF Grey = RGB(0x62, 0x62, 0x62);
const COLORREF White = RGB(0xFF, 0xFF, 0xFF);
const COLORREF FieldBackground = RGB(0x33, 0x33, 0x33);
// The layout's transparent colours of the controls.
const COLORREF TitleKey = 0x474748;
const COLORREF BodyKey = 0x3B3B3B;
const COLORREF UpArrowKey = 0x383838;

constexpr UINT FirstRepeatMs = 500;
constexpr UINT RepeatMs = 50;
} // namespace

TfrmSetTime::TfrmSetTime(AlarmModel &alarm, HWND owner) : m_alarm(alarm)
{
    createDialog("TfrmSetTime", "Set Time", 393, 283, owner);
    buildControls();
    shapedForm = std::make_unique<ShapedForm>(Handle(), *imgBg);
    shapedForm->Apply();
    ReadAlarmTime();
}

TfrmSetTime::~TfrmSetTime()
{
    // The timer goes with the window it runs on.
    tmrUpDown.reset();
}

void TfrmSetTime::buildControls()
{
    const HFONT text = WindowFonts::dialogText();
    using Row = ControlRow;
    ControlTable::build(*this, Form, nullptr, {{&imgBg, "imgBg", "", -3, -5}});
    if (imgBg->Bitmap()) {
        m_backdropBrush.reset(CreatePatternBrush(imgBg->Bitmap()));
        m_backdrop = Backdrop{m_backdropBrush.get(), -3, -5};
    }
    const Backdrop *backdrop = m_backdrop ? &*m_backdrop : nullptr;
    const auto label = [&](Label **slot, const char *name, const char *caption, int left, int top) {
        return Row{slot, name, caption, left, top, 0, 0, CLR_INVALID, text, Silver};
    };
    const auto day = [&](SkCheckBox **slot, const char *name, int left, int top) {
        return Row{slot, name, "", left, top, 16, 16, BodyKey};
    };
    const auto arrow = [&](SkButton **slot, const char *name, int left, int top, COLORREF key) {
        return Row{slot, name, "", left, top, 21, 12, key, nullptr, 0, Row::NoTabStop};
    };
    ControlTable::build(
        *this, Form, backdrop,
        {
            {&lblTitle, "lblTitle", "Alarm Time Setting", 44, 10, 0, 0, CLR_INVALID,
             WindowFonts::arial(12), White},
            {&skbClose, "skbClose", "", 350, 20, 16, 16, TitleKey},
            {&skcDisabled, "skcDisabled", "", 44, 52, 16, 16, 0x3B3B3B},
            label(&Label2, "Label2", "Vesperin Disabled", 67, 53),
            label(&lblDays, "lblDays", "Day", 42, 75),
            day(&skcSun, "skcSun", 44, 97),
            label(&lblSun, "lblSun", "Sunday", 65, 98),
            day(&skcMon, "skcMon", 124, 97),
            label(&lblMon, "lblMon", "Monday", 145, 98),
            day(&skcTue, "skcTue", 204, 97),
            label(&lblTue, "lblTue", "Tuesday", 225, 98),
            day(&skcWed, "skcWed", 276, 97),
            label(&lblWed, "lblWed", "Wednesday", 296, 98),
            day(&skcThu, "skcThu", 44, 122),
            label(&lblThu, "lblThu", "Thursday", 65, 123),
            day(&skcFri, "skcFri", 124, 122),
            label(&lblFri, "lblFri", "Friday", 145, 123),
            day(&skcSat, "skcSat", 204, 121),
            label(&lblSat, "lblSat", "Saturday", 225, 121),
            label(&lblHourMinute, "lblHourMinute", "Hour / Minute", 42, 153),
            label(&lblHour, "lblHour", "Hour:", 70, 185),
            {&edtHourVal, "edtHourVal", "0", 102, 186, 16, 14, CLR_INVALID, text, Silver},
            arrow(&skbArrowUpHour, "skbArrowUpHour", 124, 179, UpArrowKey),
            arrow(&skbArrowDHour, "skbArrowDHour", 124, 192, BodyKey),
            label(&lblMinute, "lblMinute", "Minute:", 170, 184),
            {&edtMinuteVal, "edtMinuteVal", "0", 211, 185, 14, 14, CLR_INVALID, text, Silver},
            arrow(&skbArrowUpMin, "skbArrowUpMin", 233, 179, UpArrowKey),
            arrow(&skbArrowDMin, "skbArrowDMin", 233, 192, BodyKey),
            {&skrAM, "skrAM", "", 279, 179, 35, 12, BodyKey},
            {&skrPM, "skrPM", "", 279, 192, 35, 12, BodyKey},
            {&skbOK, "skbOK", "OK", 87, 227, 104, 25, BodyKey, text, Silver},
            {&skbCancel, "skbCancel", "Cancel", 205, 227, 104, 25, BodyKey, text, Silver},
        },
        {&edtHourVal, &edtMinuteVal, &skbOK, &skbCancel, &skbClose, &skcSun, &skcThu, &skcMon,
         &skcFri, &skcTue, &skcSat, &skcWed, &skcDisabled, &skrAM, &skrPM});

    for (EditField *field : {edtHourVal, edtMinuteVal}) {
        field->SetMaxLength(2);
        field->SetColours(Silver, FieldBackground);
    }
    edtHourVal->OnChange = [this] { edtHourValChange(); };
    edtMinuteVal->OnChange = [this] { edtMinuteValChange(); };
    for (SkButtonTx *button : {skbOK, skbCancel})
        button->SetFontColors(White, White, Grey);

    const SkButton *const arrows[] = {skbArrowUpHour, skbArrowDHour, skbArrowUpMin, skbArrowDMin};
    for (int tag = 0; tag < 4; ++tag) {
        auto *arrowButton = const_cast<SkButton *>(arrows[tag]);
        arrowButton->SetTag(tag);
        // Only the left button holds the pointer until its release, which
        // stops the repeat; a press of another would never be released here.
        arrowButton->OnMouseDown = [this, tag](const MouseEvent &event) {
            if (event.button == 0)
                skbArrowMouseDown(tag);
        };
        arrowButton->OnMouseUp = [this](const MouseEvent &) { skbArrowMouseUp(); };
    }
    nameForAssistiveTechnology();
    skcDisabled->OnClick = [this] { UpdateEnabledState(); };
    // A day the user ticks or clears makes the days the user's choice.
    for (int day = 0; day < 7; ++day)
        dayBox(day)->OnClick = [this] { m_daysUnknown = false; };
    skbOK->OnClick = [this] { skbOKClick(); };
    skbCancel->OnClick = [this] { skbCancelClick(); };
    skbClose->OnClick = [this] { skbCloseClick(); };

    tmrUpDown = std::make_unique<Timer>(*this, FirstRepeatMs);
    tmrUpDown->OnTimer = [this] { tmrUpDownTimer(); };
}

SkCheckBox *TfrmSetTime::dayBox(int day) const
{
    SkCheckBox *const days[] = {skcSun, skcMon, skcTue, skcWed, skcThu, skcFri, skcSat};
    return day >= 0 && day < 7 ? days[day] : nullptr;
}

void TfrmSetTime::clickClose()
{
    skbClose->Click();
}

void TfrmSetTime::FormShow()
{
    ReadAlarmTime();
}

void TfrmSetTime::FormHide()
{
    // A hidden dialog never sees the release of an arrow held down in it.
    skbArrowMouseUp();
}

// The boxes and the small buttons have no caption of their own: each is named
// by the label beside it or by what it does.
void TfrmSetTime::nameForAssistiveTechnology()
{
    skbClose->SetAccessibleName("Close");
    skcDisabled->SetAccessibleName(Label2->Text());
    const Label *const dayLabels[] = {lblSun, lblMon, lblTue, lblWed, lblThu, lblFri, lblSat};
    for (int day = 0; day < 7; ++day)
        dayBox(day)->SetAccessibleName(dayLabels[day]->Text());
    skrAM->SetAccessibleName("AM");
    skrPM->SetAccessibleName("PM");
    skbArrowUpHour->SetAccessibleName("Hour up");
    skbArrowDHour->SetAccessibleName("Hour down");
    skbArrowUpMin->SetAccessibleName("Minute up");
    skbArrowDMin->SetAccessibleName("Minute down");
}

void TfrmSetTime::ReadAlarmTime()
{
    if (!m_alarm.loadStatus()) {
        MessageBoxes::tell(Handle(), "Cannot get status from BIOS...", MessageBoxes::Icon::Error);
        return;
    }
    skcDisabled->SetChecked(*m_alarm.status() == 0);
    UpdateEnabledState();
    m_alarm.loadTime();
    showTime(m_alarm.time());
}

void TfrmSetTime::showTime(const HeldTime &time)
{
    m_hourUnknown = !time.hour;
    if (time.hour) {
        edtHourVal->SetText(TimeFields::twoDigits(TimeFields::twelveHour(*time.hour)));
        if (TimeFields::isAfternoon(*time.hour))
            skrPM->SetChecked(true);
        else
            skrAM->SetChecked(true);
    } else {
        // Neither half of the day is known with the hour.
        showUnknown(edtHourVal, m_hourUnknown);
        skrAM->SetChecked(false);
        skrPM->SetChecked(false);
    }
    m_minuteUnknown = !time.minute;
    if (time.minute)
        edtMinuteVal->SetText(TimeFields::twoDigits(*time.minute));
    else
        showUnknown(edtMinuteVal, m_minuteUnknown);
    m_daysUnknown = !time.days;
    for (int day = 0; day < 7; ++day)
        dayBox(day)->SetChecked(time.days && ((*time.days >> day) & 1u));
}

void TfrmSetTime::showUnknown(EditField *field, bool &unknown)
{
    unknown = true;
    field->SetText(UnknownFields::Shown);
}

bool TfrmSetTime::keptUnknown(EditField *field, bool &unknown)
{
    if (unknown && field->Text() == UnknownFields::Shown)
        return true;
    unknown = false;
    return false;
}

std::vector<std::string> TfrmSetTime::unknownFields() const
{
    std::vector<std::string> fields;
    if (m_hourUnknown || (!skrAM->Checked() && !skrPM->Checked()))
        fields.push_back("hour");
    if (m_minuteUnknown)
        fields.push_back("minute");
    if (m_daysUnknown)
        fields.push_back("days");
    return fields;
}

bool TfrmSetTime::WriteAlarmTime()
{
    const bool disabled = skcDisabled->Checked();
    const TimeSetting setting = settingShown();
    switch (m_alarm.writeAlarm(disabled, disabled ? nullptr : &setting)) {
    case AlarmModel::AlarmWrite::StatusRefused:
        MessageBoxes::tell(Handle(), "Cannot set status to BIOS...", MessageBoxes::Icon::Error);
        return false;
    case AlarmModel::AlarmWrite::TimeRefused:
        return false;
    case AlarmModel::AlarmWrite::Done:
        break;
    }
    // The library reports a record written even when the firmware refused
    // some of its items: only the model, read back, tells whether the alarm
    // the user confirmed is the one the notebook will ring.
    return m_alarm.holdsStatus(disabled) && (disabled || m_alarm.holdsTime(setting));
}

TimeSetting TfrmSetTime::settingShown() const
{
    TimeSetting setting{};
    setting.hour = TimeFields::firmwareHour(
        TimeFields::value(edtHourVal->Text(), TimeFields::HourRange), skrPM->Checked());
    setting.minute = uint32_t(TimeFields::value(edtMinuteVal->Text(), TimeFields::MinuteRange));
    for (int day = 0; day < 7; ++day) {
        if (dayBox(day)->Checked())
            setting.days |= 1u << day;
    }
    return setting;
}

void TfrmSetTime::UpdateEnabledState()
{
    const bool enabled = !skcDisabled->Checked();
    SkControl *const controls[] = {
        skcSun,         skcMon,        skcTue,        skcWed,       skcThu, skcFri, skcSat,
        skbArrowUpHour, skbArrowDHour, skbArrowUpMin, skbArrowDMin, skrAM,  skrPM};
    for (SkControl *control : controls)
        control->SetEnabled(enabled);
    edtHourVal->SetEnabled(enabled);
    edtMinuteVal->SetEnabled(enabled);
    const COLORREF colour = enabled ? Silver : Grey;
    for (Label *label :
         {lblSun, lblMon, lblTue, lblWed, lblThu, lblFri, lblSat, lblHour, lblMinute})
        label->SetColour(colour);
    edtHourVal->SetColours(colour, FieldBackground);
    edtMinuteVal->SetColours(colour, FieldBackground);
}

void TfrmSetTime::skbOKClick()
{
    // Switched off, only the status is written; on, the time setting too,
    // and none of its fields may be one the firmware would not give. The
    // dialog then stays open for the user to set them.
    const std::vector<std::string> unknown =
        skcDisabled->Checked() ? std::vector<std::string>() : unknownFields();
    if (!unknown.empty()) {
        MessageBoxes::tell(Handle(), UnknownFields::message(unknown), MessageBoxes::Icon::Error);
        return;
    }
    Hide();
    // The panel follows the model, which the write reloads, success or not.
    if (!WriteAlarmTime())
        MessageBoxes::tell(Handle(), "Setting time failed, please retry again...",
                           MessageBoxes::Icon::Error);
}

void TfrmSetTime::skbCancelClick()
{
    Hide();
}

void TfrmSetTime::skbCloseClick()
{
    skbCancel->Click();
}

void TfrmSetTime::skbArrowMouseDown(int tag)
{
    m_heldArrow = tag;
    step(tag);
    tmrUpDown->SetEnabled(true);
}

void TfrmSetTime::skbArrowMouseUp()
{
    tmrUpDown->SetEnabled(false);
    tmrUpDown->SetInterval(FirstRepeatMs);
}

void TfrmSetTime::tmrUpDownTimer()
{
    step(m_heldArrow);
    tmrUpDown->SetInterval(RepeatMs);
}

void TfrmSetTime::step(int tag)
{
    switch (tag) {
    case 0:
        edtHourVal->SetText(TimeFields::stepUp(edtHourVal->Text(), TimeFields::HourRange));
        break;
    case 1:
        edtHourVal->SetText(TimeFields::stepDown(edtHourVal->Text(), TimeFields::HourRange));
        break;
    case 2:
        edtMinuteVal->SetText(TimeFields::stepUp(edtMinuteVal->Text(), TimeFields::MinuteRange));
        break;
    case 3:
        edtMinuteVal->SetText(TimeFields::stepDown(edtMinuteVal->Text(), TimeFields::MinuteRange));
        break;
    default:
        break;
    }
}

void TfrmSetTime::edtHourValChange()
{
    if (keptUnknown(edtHourVal, m_hourUnknown))
        return;
    if (const auto repaired = TimeFields::repair(edtHourVal->Text(), TimeFields::HourRange))
        edtHourVal->SetText(*repaired);
}

void TfrmSetTime::edtMinuteValChange()
{
    if (keptUnknown(edtMinuteVal, m_minuteUnknown))
        return;
    if (const auto repaired = TimeFields::repair(edtMinuteVal->Text(), TimeFields::MinuteRange))
        edtMinuteVal->SetText(*repaired);
}
