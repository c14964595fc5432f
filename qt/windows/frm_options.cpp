#include "qt/windows/frm_options.h"

#include "app/binding/acpi_bridge.h"
#include "qt/windows/audio_box.h"
#include "qt/windows/dialog_look.h"
#include "qt/windows/forms.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/layout_artwork.h"
#include "qt/windows/message_boxes.h"
#include "qt/windows/play_status_store.h"
#include "qt/windows/tick_count.h"
#include "qt/windows/window_fonts.h"
#include "audio/set_mixer_volume.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

const QString Form = QStringLiteral("frmOptions");
// The layout's transparent colours of the controls (red in the lowest byte).
constexpr uint32_t TitleKey = 0x474748;
constexpr uint32_t BodyKey = 0x3B3B3B;
constexpr uint32_t UpArrowKey = 0x383838;

constexpr int FirstRepeatMs = 500;
constexpr int RepeatMs = 50;
constexpr int DurationTickMs = 1000;
constexpr uint32_t FullLevel = 65535;
constexpr uint32_t DefaultTestSeconds = 600;

const QString TestCaption = QStringLiteral("Test");
const QString StopCaption = QStringLiteral("Stop");

// How long a test plays for the duration's name; the firmware's other names
// play for ten minutes.
uint32_t testSeconds(const QString &duration)
{
    struct Known
    {
        const char *name;
        uint32_t seconds;
    };
    static const Known known[] = {
        {"10 mins", 600}, {"20 mins", 1200}, {"30 mins", 1800}, {"1 hour", 3600}};
    for (const Known &entry : known) {
        if (duration == QLatin1String(entry.name))
            return entry.seconds;
    }
    return DefaultTestSeconds;
}

// The names of a firmware list, each cut at its NUL or its slot's end.
QStringList choiceNames(const ChoiceList &list)
{
    QStringList names;
    const uint32_t entries = std::min(list.count, ChoiceList::MaxEntries);
    for (uint32_t entry = 0; entry < entries; ++entry) {
        const char *name = list.names[entry];
        names << QString::fromLocal8Bit(name, qsizetype(strnlen(name, ChoiceList::NameSize)));
    }
    return names;
}

// The entry of `list` whose value is `value`; -1 when it offers none.
int entryOf(const ChoiceList &list, uint32_t value)
{
    const uint32_t entries = std::min(list.count, ChoiceList::MaxEntries);
    for (uint32_t entry = 0; entry < entries; ++entry) {
        if (list.values[entry] == value)
            return int(entry);
    }
    return -1;
}

bool validEntry(const ChoiceList &list, int entry)
{
    return entry >= 0 && uint32_t(entry) < std::min(list.count, ChoiceList::MaxEntries);
}

} // namespace

TfrmOptions::TfrmOptions(AcpiBridge &bridge, QWidget *parent)
    : OptionsDialog(parent, Qt::Window | Qt::FramelessWindowHint), imgBg(new SkPicture(this)),
      m_bridge(bridge), shapedForm(this, imgBg)
{
    setObjectName(Form);
    setWindowTitle(QStringLiteral(" Options"));
    setFixedSize(349, 239);
    buildControls();
    shapedForm.Apply();

    MaxVolume = int32_t(std::min(m_bridge.volumeList.count, ChoiceList::MaxEntries));
    fillChoices();
    LoadOptions();
    // With fewer than two volume values there is no step between them: the
    // one volume there is plays at full level.
    MixerStep = MaxVolume >= 2 ? int32_t(FullLevel / uint32_t(MaxVolume - 1)) : int32_t(FullLevel);
}

TfrmOptions::~TfrmOptions() = default;

void TfrmOptions::buildControls()
{
    setFont(WindowFonts::dialogText());
    DialogLook::setTextColour(this, DialogLook::Silver);

    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, Form);
    imgBg->move(-3, -5);

    lblTitle = DialogLook::addTitle(this, QStringLiteral("Options"), 44, 9);
    // The title drags the window like the background picture around it.
    dragByTitle(lblTitle, imgBg);
    skbClose = LayoutArtwork::addButton(this, Form, "skbClose", 305, 19, TitleKey);
    connect(skbClose, &SkButton::clicked, this, &TfrmOptions::skbCloseClick);

    Label2 = DialogLook::addLabel(this, "Label2", QStringLiteral("Repeat"), 44, 49);
    Label4 = DialogLook::addLabel(this, "Label4", QStringLiteral("Mode"), 96, 74);
    Label7 = DialogLook::addLabel(this, "Label7", QStringLiteral(":"), 127, 74);
    cbxMode = DialogLook::addComboBox(this, "cbxMode", 135, 71, 128);
    Label6 = DialogLook::addLabel(this, "Label6", QStringLiteral("Duration"), 84, 102);
    Label8 = DialogLook::addLabel(this, "Label8", QStringLiteral(":"), 129, 102);
    cbxDuration = DialogLook::addComboBox(this, "cbxDuration", 135, 98, 128);

    Label9 = DialogLook::addLabel(this, "Label9", QStringLiteral("Volume"), 85, 150);
    Label10 = DialogLook::addLabel(this, "Label10", QStringLiteral(":"), 123, 150);
    edtVolume = new QLineEdit(QStringLiteral("0"), this);
    edtVolume->setObjectName(QStringLiteral("edtVolume"));
    edtVolume->setFrame(false);
    edtVolume->setMaxLength(2);
    edtVolume->setTextMargins(0, 0, 0, 0);
    edtVolume->setContentsMargins(0, 0, 0, 0);
    DialogLook::setFieldColours(edtVolume);
    edtVolume->setGeometry(140, 152, 17, 14);
    connect(edtVolume, &QLineEdit::textChanged, this, &TfrmOptions::edtVolumeChange);

    skbArrowUpMin = LayoutArtwork::addButton(this, Form, "skbArrowUpMin", 165, 145, UpArrowKey);
    skbArrowDMin = LayoutArtwork::addButton(this, Form, "skbArrowDMin", 165, 159, BodyKey);
    // The arrows tell their direction by their tags: 0 up, 1 down.
    skbArrowUpMin->SetTag(0);
    skbArrowDMin->SetTag(1);
    for (SkButton *arrow : {skbArrowUpMin, skbArrowDMin}) {
        connect(arrow, &SkButton::mouseDown, this,
                [this, arrow] { skbArrowDMinMouseDown(arrow->Tag()); });
        connect(arrow, &SkButton::mouseUp, this, &TfrmOptions::skbArrowDMinMouseUp);
    }

    skbTest = DialogLook::addTextButton(this, Form, BodyKey, "skbTest", TestCaption, 192, 147);
    connect(skbTest, &SkButton::clicked, this, &TfrmOptions::skbTestClick);
    skbOK = DialogLook::addTextButton(this, Form, BodyKey, "skbOK", QStringLiteral("OK"), 64, 184);
    connect(skbOK, &SkButton::clicked, this, &TfrmOptions::skbOKClick);
    skbCancel = DialogLook::addTextButton(this, Form, BodyKey, "skbCancel",
                                          QStringLiteral("Cancel"), 182, 184);
    connect(skbCancel, &SkButton::clicked, this, &TfrmOptions::skbCancelClick);

    tmrUpDown = new QTimer(this);
    tmrUpDown->setObjectName(QStringLiteral("tmrUpDown"));
    tmrUpDown->setInterval(FirstRepeatMs);
    connect(tmrUpDown, &QTimer::timeout, this, &TfrmOptions::tmrUpDownTimer);
    tmrDuration = new QTimer(this);
    tmrDuration->setObjectName(QStringLiteral("tmrDuration"));
    tmrDuration->setInterval(DurationTickMs);
    connect(tmrDuration, &QTimer::timeout, this, &TfrmOptions::tmrDurationTimer);

    // Only the two lists and the volume field take the focus.
    for (SkButton *button :
         {skbClose, skbArrowUpMin, skbArrowDMin, static_cast<SkButton *>(skbTest),
          static_cast<SkButton *>(skbOK), static_cast<SkButton *>(skbCancel)})
        button->setFocusPolicy(Qt::NoFocus);
    setTabOrder(cbxMode, cbxDuration);
    setTabOrder(cbxDuration, edtVolume);
}

void TfrmOptions::fillChoices()
{
    cbxMode->addItems(choiceNames(m_bridge.modeList));
    cbxDuration->addItems(choiceNames(m_bridge.durationList));
    // Nothing is chosen until the firmware's values say what.
    cbxMode->setCurrentIndex(-1);
    cbxDuration->setCurrentIndex(-1);
}

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

TfrmSelectMusic *TfrmOptions::music() const
{
    return frmSelectMusic;
}

void TfrmOptions::showEvent(QShowEvent *event)
{
    // Only a show by the program reloads the firmware's values.
    if (!event->spontaneous())
        LoadOptions();
    OptionsDialog::showEvent(event);
}

void TfrmOptions::hideEvent(QHideEvent *event)
{
    // A hidden dialog never sees the release of an arrow held down in it.
    skbArrowDMinMouseUp();
    OptionsDialog::hideEvent(event);
}

void TfrmOptions::LoadOptions()
{
    // Fields the firmware does not give read as zero.
    PlayStatus status{};
    m_bridge.GetPlayStatus(&status);
    // A value the firmware's list does not offer leaves the control alone.
    if (const int mode = entryOf(m_bridge.modeList, status.repeatMode); mode >= 0)
        cbxMode->setCurrentIndex(mode);
    if (const int duration = entryOf(m_bridge.durationList, status.duration); duration >= 0)
        cbxDuration->setCurrentIndex(duration);
    if (const int volume = entryOf(m_bridge.volumeList, status.volume); volume >= 0)
        setVolumeNumber(volume + 1);
}

bool TfrmOptions::WriteOptions()
{
    // The drive and the track belong to the music selection dialog: they
    // go back as the firmware holds them, or nothing is written.
    PlayStatus status{};
    PlayStatusStore store(m_bridge);
    if (!store.readAll(status))
        return false;

    // A choice without a firmware value (no mode chosen, volume 0) keeps
    // the value the firmware holds.
    const int mode = cbxMode->currentIndex();
    if (validEntry(m_bridge.modeList, mode))
        status.repeatMode = m_bridge.modeList.values[mode];
    int duration = cbxDuration->currentIndex();
    if (duration < 0)
        duration = 0;
    if (validEntry(m_bridge.durationList, duration))
        status.duration = m_bridge.durationList.values[duration];
    const int volume = volumeNumber() - 1;
    if (validEntry(m_bridge.volumeList, volume))
        status.volume = m_bridge.volumeList.values[volume];
    return store.write(status);
}

int TfrmOptions::volumeNumber() const
{
    return edtVolume->text().toInt();
}

void TfrmOptions::setVolumeNumber(int number)
{
    edtVolume->setText(QString::number(number));
}

uint32_t TfrmOptions::mixerLevel(int volumeNumber) const
{
    // The field never holds more than MaxVolume; the mixer clamps what a
    // typed MaxVolume computes beyond full level.
    return uint32_t(std::max(volumeNumber, 0)) * uint32_t(std::max(MixerStep, 0));
}

void TfrmOptions::StepVolumeUp()
{
    const int number = volumeNumber();
    if (number == MaxVolume - 1)
        return;
    setVolumeNumber(number + 1);
    SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(this));
}

void TfrmOptions::StepVolumeDown()
{
    const int number = volumeNumber();
    if (number == 1)
        return;
    setVolumeNumber(number - 1);
    SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(this));
}

void TfrmOptions::skbArrowDMinMouseDown(int tag)
{
    m_heldArrow = tag;
    if (tag == 0)
        StepVolumeUp();
    else
        StepVolumeDown();
    tmrUpDown->start();
}

void TfrmOptions::skbArrowDMinMouseUp()
{
    tmrUpDown->stop();
    tmrUpDown->setInterval(FirstRepeatMs);
}

void TfrmOptions::tmrUpDownTimer()
{
    if (m_heldArrow == 0)
        StepVolumeUp();
    else
        StepVolumeDown();
    tmrUpDown->setInterval(RepeatMs);
}

void TfrmOptions::edtVolumeChange()
{
    bool isNumber = false;
    const int number = edtVolume->text().toInt(&isNumber);
    // Each replacement changes the text again and passes this check.
    if (!isNumber)
        setVolumeNumber(MaxVolume / 2);
    else if (number > MaxVolume)
        setVolumeNumber(MaxVolume);
    else if (number < 0)
        setVolumeNumber(0);
}

void TfrmOptions::skbTestClick()
{
    if (skbTest->GetText() != TestCaption) {
        StopTest();
        return;
    }
    if (!SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(this))) {
        MessageBoxes::tell(this, QStringLiteral("Can not test. Audio function failed."),
                           MessageBoxes::Icon::Warning);
        return;
    }
    TfrmSelectMusic *player = music();
    if (!player)
        return;
    const QString mode = selectedMode().toLower();
    if (mode == QLatin1String("none")) {
        // The track plays once, untimed: Test stays ready to play it again.
        player->PlaySelection(0, TfrmSelectMusic::PlayTrackOnce);
        return;
    }
    TestDuration = testSeconds(selectedDuration());
    const int playMode =
        mode == QLatin1String("single") ? TfrmSelectMusic::RepeatTrack : TfrmSelectMusic::PlayToEnd;
    if (!player->PlaySelection(0, playMode))
        return;
    skbTest->SetText(StopCaption);
    m_testStartMs = TickCount::now();
    tmrDuration->start();
}

void TfrmOptions::tmrDurationTimer()
{
    // The difference of two tick counts is right across the counter's wrap,
    // so a test never ends early because the counter started again at zero.
    const uint32_t elapsedSeconds = (TickCount::now() - m_testStartMs) / 1000;
    if (elapsedSeconds > TestDuration)
        StopTest();
}

void TfrmOptions::StopTest()
{
    skbTest->SetText(TestCaption);
    tmrDuration->stop();
    if (TfrmSelectMusic *player = music())
        player->skbStopClick();
}

void TfrmOptions::skbOKClick()
{
    if (skbTest->GetText() == StopCaption)
        skbTestClick();
    hide();
    if (WriteOptions())
        emit stored();
    else
        MessageBoxes::tell(this, QStringLiteral("Setting options failed, please retry again..."),
                           MessageBoxes::Icon::Error);
}

void TfrmOptions::skbCancelClick()
{
    hide();
    StopTest();
}

void TfrmOptions::skbCloseClick()
{
    skbCancelClick();
}
