#include "qt/windows/frm_set_time.h"

#include "app/binding/acpi_bridge.h"
#include "qt/windows/dialog_look.h"
#include "qt/windows/layout_artwork.h"
#include "qt/windows/message_boxes.h"
#include "qt/windows/time_fields.h"
#include "qt/windows/window_fonts.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_radio_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

#include <iterator>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Grey(0x62, 0x62, 0x62);
const QColor FieldBackground(0x33, 0x33, 0x33);

const QString Form = QStringLiteral("frmSetTime");
// The layout's transparent colours of the controls (red in the lowest byte).
constexpr uint32_t TitleKey = 0x474748;
constexpr uint32_t BodyKey = 0x3B3B3B;
constexpr uint32_t UpArrowKey = 0x383838;

constexpr int FirstRepeatMs = 500;
constexpr int RepeatMs = 50;
constexpr uint32_t DayBits = 0x7F;

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

TfrmSetTime::TfrmSetTime(AcpiBridge &bridge, QWidget *parent)
    : SettingDialog(parent, Qt::Window | Qt::FramelessWindowHint), imgBg(new SkPicture(this)),
      m_bridge(bridge), shapedForm(this, imgBg)
{
    setObjectName(QStringLiteral("frmSetTime"));
    setWindowTitle(QStringLiteral("Set Time"));
    setFixedSize(393, 283);
    buildControls();
    shapedForm.Apply();
    ReadAlarmTime();
}

TfrmSetTime::~TfrmSetTime() = default;

void TfrmSetTime::buildControls()
{
    setFont(WindowFonts::dialogText());
    setTextColour(this, Silver);

    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, Form);
    imgBg->move(-3, -5);

    lblTitle = DialogLook::addTitle(this, QStringLiteral("Alarm Time Setting"), 44, 10);
    // The title drags the window like the background picture around it.
    dragByTitle(lblTitle, imgBg);

    const auto addLabel = [this](const char *name, const QString &text, int left, int top) {
        return DialogLook::addLabel(this, name, text, left, top);
    };

    skbClose = LayoutArtwork::addButton(this, Form, "skbClose", 350, 20, TitleKey);
    connect(skbClose, &SkButton::clicked, this, &TfrmSetTime::skbCloseClick);

    skcDisabled = new SkCheckBox(this);
    skcDisabled->setObjectName(QStringLiteral("skcDisabled"));
    LayoutArtwork::fillCheckBox(skcDisabled, Form, BodyKey);
    skcDisabled->move(44, 52);
    connect(skcDisabled, &SkCheckBox::clicked, this, &TfrmSetTime::UpdateEnabledState);
    Label2 = addLabel("Label2", QStringLiteral("Vesperin Disabled"), 67, 53);
    lblDays = addLabel("lblDays", QStringLiteral("Day"), 42, 75);

    skcSun = addDay("skcSun", "lblSun", QStringLiteral("Sunday"), 44, 97, 65, 98, &lblSun);
    skcMon = addDay("skcMon", "lblMon", QStringLiteral("Monday"), 124, 97, 145, 98, &lblMon);
    skcTue = addDay("skcTue", "lblTue", QStringLiteral("Tuesday"), 204, 97, 225, 98, &lblTue);
    skcWed = addDay("skcWed", "lblWed", QStringLiteral("Wednesday"), 276, 97, 296, 98, &lblWed);
    skcThu = addDay("skcThu", "lblThu", QStringLiteral("Thursday"), 44, 122, 65, 123, &lblThu);
    skcFri = addDay("skcFri", "lblFri", QStringLiteral("Friday"), 124, 122, 145, 123, &lblFri);
    skcSat = addDay("skcSat", "lblSat", QStringLiteral("Saturday"), 204, 121, 225, 121, &lblSat);

    lblHourMinute = addLabel("lblHourMinute", QStringLiteral("Hour / Minute"), 42, 153);
    lblHour = addLabel("lblHour", QStringLiteral("Hour:"), 70, 185);

    const auto addField = [this](const char *name, int left, int top, int width) {
        auto *field = new QLineEdit(QStringLiteral("0"), this);
        field->setObjectName(QLatin1String(name));
        field->setFrame(false);
        field->setMaxLength(2);
        field->setTextMargins(0, 0, 0, 0);
        field->setContentsMargins(0, 0, 0, 0);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, FieldBackground);
        palette.setColor(QPalette::Text, Silver);
        field->setPalette(palette);
        field->setGeometry(left, top, width, 14);
        return field;
    };
    edtHourVal = addField("edtHourVal", 102, 186, 16);
    connect(edtHourVal, &QLineEdit::textChanged, this, &TfrmSetTime::edtHourValChange);
    skbArrowUpHour = addArrow("skbArrowUpHour", 0, 124, 179, UpArrowKey);
    skbArrowDHour = addArrow("skbArrowDHour", 1, 124, 192, BodyKey);

    lblMinute = addLabel("lblMinute", QStringLiteral("Minute:"), 170, 184);
    edtMinuteVal = addField("edtMinuteVal", 211, 185, 14);
    connect(edtMinuteVal, &QLineEdit::textChanged, this, &TfrmSetTime::edtMinuteValChange);
    skbArrowUpMin = addArrow("skbArrowUpMin", 2, 233, 179, UpArrowKey);
    skbArrowDMin = addArrow("skbArrowDMin", 3, 233, 192, BodyKey);

    const auto addRadio = [this](const char *name, int left, int top) {
        auto *radio = new SkRadioButton(this);
        radio->setObjectName(QLatin1String(name));
        LayoutArtwork::fillRadioButton(radio, Form, BodyKey);
        radio->move(left, top);
        return radio;
    };
    skrAM = addRadio("skrAM", 279, 179);
    skrPM = addRadio("skrPM", 279, 192);

    skbOK = DialogLook::addTextButton(this, Form, BodyKey, "skbOK", QStringLiteral("OK"), 87, 227);
    connect(skbOK, &SkButton::clicked, this, &TfrmSetTime::skbOKClick);
    skbCancel = DialogLook::addTextButton(this, Form, BodyKey, "skbCancel",
                                          QStringLiteral("Cancel"), 205, 227);
    connect(skbCancel, &SkButton::clicked, this, &TfrmSetTime::skbCancelClick);

    tmrUpDown = new QTimer(this);
    tmrUpDown->setObjectName(QStringLiteral("tmrUpDown"));
    tmrUpDown->setInterval(FirstRepeatMs);
    connect(tmrUpDown, &QTimer::timeout, this, &TfrmSetTime::tmrUpDownTimer);

    QWidget *const tabOrder[] = {edtHourVal, edtMinuteVal, skbOK,       skbCancel, skbClose,
                                 skcSun,     skcThu,       skcMon,      skcFri,    skcTue,
                                 skcSat,     skcWed,       skcDisabled, skrAM,     skrPM};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

SkCheckBox *TfrmSetTime::addDay(const char *boxName, const char *labelName, const QString &text,
                                int left, int top, int labelLeft, int labelTop, QLabel **label)
{
    auto *box = new SkCheckBox(this);
    box->setObjectName(QLatin1String(boxName));
    LayoutArtwork::fillCheckBox(box, Form, BodyKey);
    box->move(left, top);
    *label = new QLabel(text, this);
    (*label)->setObjectName(QLatin1String(labelName));
    (*label)->move(labelLeft, labelTop);
    (*label)->adjustSize();
    return box;
}

SkButton *TfrmSetTime::addArrow(const char *name, int tag, int left, int top,
                                uint32_t transparentColour)
{
    SkButton *arrow = LayoutArtwork::addButton(this, Form, name, left, top, transparentColour);
    arrow->setFocusPolicy(Qt::NoFocus);
    connect(arrow, &SkButton::mouseDown, this, [this, tag] { skbArrowMouseDown(tag); });
    connect(arrow, &SkButton::mouseUp, this, &TfrmSetTime::skbArrowMouseUp);
    return arrow;
}

SkCheckBox *TfrmSetTime::dayBox(int day) const
{
    SkCheckBox *const days[] = {skcSun, skcMon, skcTue, skcWed, skcThu, skcFri, skcSat};
    return days[day];
}

void TfrmSetTime::clickClose()
{
    skbCloseClick();
}

void TfrmSetTime::showEvent(QShowEvent *event)
{
    // A window restored from the task bar is shown again by the system;
    // only a show by the program reloads the firmware's values.
    if (!event->spontaneous())
        ReadAlarmTime();
    SettingDialog::showEvent(event);
}

void TfrmSetTime::hideEvent(QHideEvent *event)
{
    // A hidden dialog never sees the release of an arrow held down in it.
    skbArrowMouseUp();
    SettingDialog::hideEvent(event);
}

void TfrmSetTime::ReadAlarmTime()
{
    uint32_t status = 0;
    if (!m_bridge.GetStatus(&status)) {
        MessageBoxes::tell(this, QStringLiteral("Cannot get status from BIOS..."),
                           MessageBoxes::Icon::Error);
        return;
    }
    skcDisabled->SetChecked(status == 0);
    UpdateEnabledState();

    // A field the firmware could not give stays zero: 12:00 AM, no days.
    TimeSetting setting{};
    m_bridge.GetTimeSetting(&setting);
    edtHourVal->setText(TimeFields::twoDigits(TimeFields::twelveHour(setting.hour)));
    edtMinuteVal->setText(TimeFields::twoDigits(int(setting.minute)));
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
        MessageBoxes::tell(this, QStringLiteral("Cannot set status to BIOS..."),
                           MessageBoxes::Icon::Error);
        return false;
    }
    if (disabled)
        return firmwareHolds(disabled, nullptr);

    TimeSetting setting{};
    setting.hour = TimeFields::firmwareHour(
        TimeFields::value(edtHourVal->text(), TimeFields::HourRange), skrPM->Checked());
    setting.minute = uint32_t(TimeFields::value(edtMinuteVal->text(), TimeFields::MinuteRange));
    for (int day = 0; day < 7; ++day) {
        if (dayBox(day)->Checked())
            setting.days |= 1u << day;
    }
    if (!m_bridge.SetTimeSetting(&setting))
        return false;
    return firmwareHolds(disabled, &setting);
}

bool TfrmSetTime::firmwareHolds(bool disabled, const TimeSetting *written)
{
    // The library reports a record written even when the firmware refused
    // some of its items, so only reading it back tells whether the alarm the
    // user confirmed is the one the notebook will ring.
    uint32_t status = 0;
    if (!m_bridge.GetStatus(&status) || status != (disabled ? 0u : 1u))
        return false;
    if (!written)
        return true;
    TimeSetting held{};
    if (!m_bridge.GetTimeSetting(&held))
        return false;
    return held.hour == written->hour && held.minute == written->minute &&
           (held.days & DayBits) == written->days;
}

void TfrmSetTime::UpdateEnabledState()
{
    const bool enabled = !skcDisabled->Checked();
    QWidget *const controls[] = {skcSun,       skcMon, skcTue,         skcWed,        skcThu,
                                 skcFri,       skcSat, skbArrowUpHour, skbArrowDHour, skbArrowUpMin,
                                 skbArrowDMin, skrAM,  skrPM,          edtHourVal,    edtMinuteVal};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
    QWidget *const texts[] = {lblSun, lblMon,  lblTue,    lblWed,     lblThu,      lblFri,
                              lblSat, lblHour, lblMinute, edtHourVal, edtMinuteVal};
    for (QWidget *text : texts)
        setTextColour(text, enabled ? Silver : Grey);
}

void TfrmSetTime::skbOKClick()
{
    hide();
    if (WriteAlarmTime())
        emit stored();
    else
        MessageBoxes::tell(this, QStringLiteral("Setting time failed, please retry again..."),
                           MessageBoxes::Icon::Error);
}

void TfrmSetTime::skbCancelClick()
{
    hide();
}

void TfrmSetTime::skbCloseClick()
{
    skbCancelClick();
}

void TfrmSetTime::skbArrowMouseDown(int tag)
{
    m_heldArrow = tag;
    step(tag);
    tmrUpDown->start();
}

void TfrmSetTime::skbArrowMouseUp()
{
    tmrUpDown->stop();
    tmrUpDown->setInterval(FirstRepeatMs);
}

void TfrmSetTime::tmrUpDownTimer()
{
    step(m_heldArrow);
    tmrUpDown->setInterval(RepeatMs);
}

void TfrmSetTime::step(int tag)
{
    switch (tag) {
    case 0:
        edtHourVal->setText(TimeFields::stepUp(edtHourVal->text(), TimeFields::HourRange));
        break;
    case 1:
        edtHourVal->setText(TimeFields::stepDown(edtHourVal->text(), TimeFields::HourRange));
        break;
    case 2:
        edtMinuteVal->setText(TimeFields::stepUp(edtMinuteVal->text(), TimeFields::MinuteRange));
        break;
    case 3:
        edtMinuteVal->setText(TimeFields::stepDown(edtMinuteVal->text(), TimeFields::MinuteRange));
        break;
    default:
        break;
    }
}

void TfrmSetTime::edtHourValChange()
{
    if (const auto repaired = TimeFields::repair(edtHourVal->text(), TimeFields::HourRange))
        edtHourVal->setText(*repaired);
}

void TfrmSetTime::edtMinuteValChange()
{
    if (const auto repaired = TimeFields::repair(edtMinuteVal->text(), TimeFields::MinuteRange))
        edtMinuteVal->setText(*repaired);
}
