#include "app/windows/frm_set_time.h"

#include "app/binding/acpi_bridge.h"
#include "app/windows/control_table.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/message_boxes.h"
#include "app/windows/time_fields.h"
#include "app/windows/timer.h"
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
constexpr uint32_t DayBits = 0x7F;

} // namespace

TfrmSetTime::TfrmSetTime(AcpiBridge &bridge, HWND owner) : m_bridge(bridge)
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
        });

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
    skbOK->OnClick = [this] { skbOKClick(); };
    skbCancel->OnClick = [this] { skbCancelClick(); };
    skbClose->OnClick = [this] { skbCloseClick(); };

    tmrUpDown = std::make_unique<Timer>(*this, FirstRepeatMs);
    tmrUpDown->OnTimer = [this] { tmrUpDownTimer(); };

    ControlTable::setTabOrder({edtHourVal->Handle(), edtMinuteVal->Handle(), skbOK->Handle(),
                               skbCancel->Handle(), skbClose->Handle(), skcSun->Handle(),
                               skcThu->Handle(), skcMon->Handle(), skcFri->Handle(),
                               skcTue->Handle(), skcSat->Handle(), skcWed->Handle(),
                               skcDisabled->Handle(), skrAM->Handle(), skrPM->Handle()});
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
    uint32_t status = 0;
    if (!m_bridge.GetStatus(&status)) {
        MessageBoxes::tell(Handle(), "Cannot get status from BIOS...", MessageBoxes::Icon::Error);
        return;
    }
    skcDisabled->SetChecked(status == 0);
    UpdateEnabledState();

    // A field the firmware could not give stays zero: 12:00 AM, no days.
    TimeSetting setting{};
    m_bridge.GetTimeSetting(&setting);
    edtHourVal->SetText(TimeFields::twoDigits(TimeFields::twelveHour(setting.hour)));
    edtMinuteVal->SetText(TimeFields::twoDigits(setting.minute));
    if (TimeFields::isAfternoon(setting.hour))
        skrPM->SetChecked(true);
    else
        skrAM->SetChecked(true);
    for (int day = 0; day < 7; ++day)
        dayBox(day)->SetChecked((setting.days >> day) & 1u);
}

bool TfrmSetTime::WriteAlarmTime()
{
    const bool disabled = skcDisabled->Checked();
    if (!m_bridge.SetStatus(disabled)) {
        MessageBoxes::tell(Handle(), "Cannot set status to BIOS...", MessageBoxes::Icon::Error);
        return false;
    }
    if (disabled)
        return firmwareHolds(disabled, nullptr);

    const TimeSetting setting = settingShown();
    if (!m_bridge.SetTimeSetting(&setting))
        return false;
    return firmwareHolds(disabled, &setting);
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

// The library fills a field only when the firmware gave it, and answers a
// read by its last item only. Two reads into records filled with different
// patterns agree on a field only when the firmware gave it both times.
bool TfrmSetTime::readStatusChecked(bool &enabled)
{
    uint32_t zeros = 0;
    uint32_t ones = ~0u;
    if (!m_bridge.GetStatus(&zeros) || !m_bridge.GetStatus(&ones) || zeros != ones)
        return false;
    enabled = zeros != 0;
    return true;
}

bool TfrmSetTime::readTimeChecked(TimeSetting &setting)
{
    TimeSetting zeros{};
    TimeSetting ones{~0u, ~0u, ~0u};
    if (!m_bridge.GetTimeSetting(&zeros) || !m_bridge.GetTimeSetting(&ones))
        return false;
    if (zeros.days != ones.days || zeros.hour != ones.hour || zeros.minute != ones.minute)
        return false;
    setting = zeros;
    return true;
}

bool TfrmSetTime::firmwareHolds(bool disabled, const TimeSetting *written)
{
    // The library reports a record written even when the firmware refused
    // some of its items, so only reading it back tells whether the alarm the
    // user confirmed is the one the notebook will ring.
    bool enabled = false;
    if (!readStatusChecked(enabled) || enabled == disabled)
        return false;
    if (!written)
        return true;
    TimeSetting held{};
    if (!readTimeChecked(held))
        return false;
    return held.hour == written->hour && held.minute == written->minute &&
           (held.days & DayBits) == written->days;
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
    Hide();
    if (WriteAlarmTime()) {
        if (frmVesperin)
            frmVesperin->ShowAlarmTime();
    } else {
        MessageBoxes::tell(Handle(), "Setting time failed, please retry again...",
                           MessageBoxes::Icon::Error);
    }
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
    if (const auto repaired = TimeFields::repair(edtHourVal->Text(), TimeFields::HourRange))
        edtHourVal->SetText(*repaired);
}

void TfrmSetTime::edtMinuteValChange()
{
    if (const auto repaired = TimeFields::repair(edtMinuteVal->Text(), TimeFields::MinuteRange))
        edtMinuteVal->SetText(*repaired);
}
