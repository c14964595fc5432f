#include "app/windows/frm_options.h"

#include "app/alarm/alarm_model.h"
#include "app/binding/acpi_bridge.h"
#include "app/windows/audio_box.h"
#include "app/windows/combo_box.h"
#include "app/windows/control_table.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_select_music.h"
#include "app/windows/message_boxes.h"
#include "app/windows/option_rules.h"
#include "app/windows/tick_count.h"
#include "app/windows/timer.h"
#include "app/windows/unknown_fields.h"
#include "app/windows/window_fonts.h"
#include "audio/set_mixer_volume.h"
#include "skin/mouse_event.h"
#include "skin/shaped_form.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_picture.h"

#include <algorithm>

namespace {

const char Form[] = "frmOptions";
constexpr int ClientWidth = 349;
constexpr int ClientHeight = 239;
// The layout's transparent colours of the controls (red in the lowest byte).
constexpr COLORREF TitleKey = 0x474748;
constexpr COLORREF BodyKey = 0x3B3B3B;
constexpr COLORREF UpArrowKey = 0x383838;

constexpr COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF White = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF Grey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF FieldBackground = RGB(0x33, 0x33, 0x33);

constexpr UINT FirstRepeatMs = 500;
constexpr UINT RepeatMs = 50;
constexpr UINT DurationTickMs = 1000;
constexpr int VolumeDigits = 2;

const char TestCaption[] = "Test";
const char StopCaption[] = "Stop";

} // namespace

std::unique_ptr<OptionsDialog> makeOptions(AlarmModel &alarm, HWND owner)
{
    auto dialog = std::make_unique<TfrmOptions>(alarm, owner);
    frmOptions = dialog.get();
    return dialog;
}

TfrmOptions::TfrmOptions(AlarmModel &alarm, HWND owner) : m_alarm(alarm), m_bridge(alarm.bridge())
{
    createDialog("TfrmOptions", " Options", ClientWidth, ClientHeight, owner);
    buildControls();
    m_shapedForm = std::make_unique<ShapedForm>(Handle(), *imgBg);
    m_shapedForm->Apply();

    MaxVolume = int32_t(std::min(m_bridge.volumeList.count, ChoiceList::MaxEntries));
    fillChoices();
    LoadOptions();
    MixerStep = int32_t(OptionRules::mixerStep(MaxVolume));
}

TfrmOptions::~TfrmOptions()
{
    tmrUpDown.reset();
    tmrDuration.reset();
    if (frmOptions == this)
        frmOptions = nullptr;
}

void TfrmOptions::buildControls()
{
    using Row = ControlRow;
    ControlTable::build(*this, Form, nullptr, {{&imgBg, "imgBg", "", -3, -5}});
    if (imgBg->Bitmap()) {
        m_backdropBrush.reset(CreatePatternBrush(imgBg->Bitmap()));
        m_backdrop = Backdrop{m_backdropBrush.get(), -3, -5};
    }
    const Backdrop *backdrop = m_backdropBrush ? &m_backdrop : nullptr;
    const HFONT text = WindowFonts::dialogText();
    const auto label = [&](Label **slot, const char *name, const char *caption, int left, int top) {
        return Row{slot, name, caption, left, top, 0, 0, CLR_INVALID, text, Silver};
    };
    const auto combo = [&](ComboBox **slot, const char *name, int left, int top) {
        return Row{slot, name, "", left, top, 128, 21, CLR_INVALID, text, Silver};
    };
    const auto arrow = [&](SkButton **slot, const char *name, int top, COLORREF key) {
        return Row{slot, name, "", 165, top, 21, 12, key, nullptr, 0, Row::NoTabStop};
    };
    const auto textButton = [&](SkButtonTx **slot, const char *name, const char *caption, int left,
                                int top, int width, int height, COLORREF key) {
        return Row{slot,   name, caption, left,   top,           width,
                   height, key,  text,    Silver, Row::NoTabStop};
    };
    ControlTable::build(
        *this, Form, backdrop,
        {
            {&lblTitle, "lblTitle", "Options", 44, 9, 0, 0, CLR_INVALID, WindowFonts::arial(12),
             White},
            {&skbClose, "skbClose", "", 305, 19, 16, 16, TitleKey, nullptr, 0, Row::NoTabStop},
            label(&Label2, "Label2", "Repeat", 44, 49),
            label(&Label4, "Label4", "Mode", 96, 74),
            label(&Label7, "Label7", ":", 127, 74),
            combo(&cbxMode, "cbxMode", 135, 71),
            label(&Label6, "Label6", "Duration", 84, 102),
            label(&Label8, "Label8", ":", 129, 102),
            combo(&cbxDuration, "cbxDuration", 135, 98),
            label(&Label9, "Label9", "Volume", 85, 150),
            label(&Label10, "Label10", ":", 123, 150),
            {&edtVolume, "edtVolume", "0", 140, 152, 17, 14, CLR_INVALID, text, Silver},
            arrow(&skbArrowUpMin, "skbArrowUpMin", 145, UpArrowKey),
            arrow(&skbArrowDMin, "skbArrowDMin", 159, BodyKey),
            textButton(&skbTest, "skbTest", TestCaption, 192, 147, 91, 24, CLR_INVALID),
            textButton(&skbOK, "skbOK", "OK", 64, 184, 104, 25, BodyKey),
            textButton(&skbCancel, "skbCancel", "Cancel", 182, 184, 104, 25, CLR_INVALID),
        },
        // Tabbing moves through the mode, the duration and the volume, in that order.
        {&cbxMode, &cbxDuration, &edtVolume});
    for (ComboBox *box : {cbxMode, cbxDuration})
        box->SetColours(Silver, FieldBackground);
    edtVolume->SetColours(Silver, FieldBackground);
    edtVolume->SetMaxLength(VolumeDigits);
    edtVolume->OnChange = [this] { edtVolumeChange(); };
    // A choice of the user's replaces a setting the firmware would not give.
    cbxMode->OnChange = [this] { m_modeUnknown = false; };
    cbxDuration->OnChange = [this] { m_durationUnknown = false; };
    for (SkButtonTx *button : {skbTest, skbOK, skbCancel})
        button->SetFontColors(White, White, Grey);

    skbClose->SetAccessibleName("Close");
    skbArrowUpMin->SetAccessibleName("Volume up");
    skbArrowDMin->SetAccessibleName("Volume down");
    // The arrows tell their direction by their tags: 0 up, 1 down.
    skbArrowUpMin->SetTag(0);
    skbArrowDMin->SetTag(1);
    for (SkButton *arrowButton : {skbArrowUpMin, skbArrowDMin}) {
        arrowButton->OnMouseDown = [this, arrowButton](const MouseEvent &event) {
            if (event.button == 0)
                skbArrowDMinMouseDown(arrowButton->Tag());
        };
        arrowButton->OnMouseUp = [this](const MouseEvent &) { skbArrowDMinMouseUp(); };
    }
    skbClose->OnClick = [this] { skbCloseClick(); };
    skbTest->OnClick = [this] { skbTestClick(); };
    skbOK->OnClick = [this] { skbOKClick(); };
    skbCancel->OnClick = [this] { skbCancelClick(); };

    tmrUpDown = std::make_unique<Timer>(*this, FirstRepeatMs);
    tmrUpDown->OnTimer = [this] { tmrUpDownTimer(); };
    tmrDuration = std::make_unique<Timer>(*this, DurationTickMs);
    tmrDuration->OnTimer = [this] { tmrDurationTimer(); };
}

void TfrmOptions::fillChoices()
{
    const uint32_t modes = std::min(m_bridge.modeList.count, ChoiceList::MaxEntries);
    for (uint32_t entry = 0; entry < modes; ++entry)
        cbxMode->Add(OptionRules::entryName(m_bridge.modeList, entry));
    const uint32_t durations = std::min(m_bridge.durationList.count, ChoiceList::MaxEntries);
    for (uint32_t entry = 0; entry < durations; ++entry)
        cbxDuration->Add(OptionRules::entryName(m_bridge.durationList, entry));
    // Nothing is chosen until the firmware's values say what.
    cbxMode->SetItemIndex(-1);
    cbxDuration->SetItemIndex(-1);
}

std::string TfrmOptions::selectedMode() const
{
    return cbxMode->Text();
}

std::string TfrmOptions::selectedDuration() const
{
    return cbxDuration->Text();
}

std::string TfrmOptions::volume() const
{
    return edtVolume->Text();
}

void TfrmOptions::clickClose()
{
    skbCloseClick();
}

void TfrmOptions::FormShow()
{
    LoadOptions();
}

void TfrmOptions::FormHide()
{
    // A hidden dialog never sees the release of an arrow held down in it.
    skbArrowDMinMouseUp();
}

void TfrmOptions::LoadOptions()
{
    m_alarm.loadPlay();
    const HeldPlay &held = m_alarm.play();
    // A value the firmware's list does not offer leaves the control alone;
    // one the firmware would not give shows as no choice, or "--".
    m_modeUnknown = !held.repeatMode;
    if (m_modeUnknown)
        cbxMode->SetItemIndex(-1);
    else if (const auto mode = OptionRules::entryOf(m_bridge.modeList, *held.repeatMode))
        cbxMode->SetItemIndex(int(*mode));
    m_durationUnknown = !held.duration;
    if (m_durationUnknown)
        cbxDuration->SetItemIndex(-1);
    else if (const auto duration = OptionRules::entryOf(m_bridge.durationList, *held.duration))
        cbxDuration->SetItemIndex(int(*duration));
    if (!held.volume) {
        m_volumeUnknown = true;
        edtVolume->SetText(UnknownFields::Shown);
    } else if (const auto volume = OptionRules::entryOf(m_bridge.volumeList, *held.volume)) {
        m_volumeUnknown = false;
        setVolumeNumber(int(*volume) + 1);
    }
}

std::vector<std::string> TfrmOptions::unknownFields() const
{
    std::vector<std::string> fields;
    if (m_modeUnknown)
        fields.push_back("repeat mode");
    if (m_durationUnknown)
        fields.push_back("duration");
    if (m_volumeUnknown)
        fields.push_back("volume");
    return fields;
}

bool TfrmOptions::WriteOptions()
{
    // A volume number the firmware has no value for cannot be stored: the
    // write fails rather than report the old volume as the new one. Only a
    // firmware without any volume value keeps what it holds.
    const int volume = volumeNumber() - 1;
    const bool volumeStorable = OptionRules::validEntry(m_bridge.volumeList, volume);
    if (!volumeStorable && MaxVolume > 0)
        return false;

    // The drive and the track belong to the music selection dialog: they
    // go back as the firmware holds them, or nothing is written.
    m_alarm.loadPlay();
    const HeldPlay &held = m_alarm.play();
    if (!held.drive || !held.track)
        return false;
    PlayStatus status{*held.drive, *held.track, 0, 0, 0};

    // No mode chosen keeps the firmware's; no duration chosen writes the
    // first. What the firmware would not give is never written back.
    const int mode = cbxMode->ItemIndex();
    const int duration = std::max(cbxDuration->ItemIndex(), 0);
    const HeldValue repeatMode = OptionRules::validEntry(m_bridge.modeList, mode)
                                     ? HeldValue(m_bridge.modeList.values[mode])
                                     : held.repeatMode;
    const HeldValue length = OptionRules::validEntry(m_bridge.durationList, duration)
                                 ? HeldValue(m_bridge.durationList.values[duration])
                                 : held.duration;
    const HeldValue level =
        volumeStorable ? HeldValue(m_bridge.volumeList.values[volume]) : held.volume;
    if (!repeatMode || !length || !level)
        return false;
    status.repeatMode = *repeatMode;
    status.duration = *length;
    status.volume = *level;
    return m_alarm.writePlay(status) && m_alarm.holdsPlay(status);
}

int TfrmOptions::volumeNumber() const
{
    return OptionRules::volumeNumber(edtVolume->Text()).value_or(0);
}

void TfrmOptions::setVolumeNumber(int number)
{
    edtVolume->SetText(std::to_string(number));
}

uint32_t TfrmOptions::mixerLevel(int volumeNumber) const
{
    return OptionRules::mixerLevel(volumeNumber, uint32_t(std::max(MixerStep, 0)));
}

void TfrmOptions::StepVolumeUp()
{
    const int number = volumeNumber();
    if (number == MaxVolume - 1)
        return;
    setVolumeNumber(number + 1);
    SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(Handle()));
}

void TfrmOptions::StepVolumeDown()
{
    const int number = volumeNumber();
    if (number == 1)
        return;
    setVolumeNumber(number - 1);
    SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(Handle()));
}

void TfrmOptions::skbArrowDMinMouseDown(int tag)
{
    m_heldArrow = tag;
    if (tag == 0)
        StepVolumeUp();
    else
        StepVolumeDown();
    tmrUpDown->SetEnabled(true);
}

void TfrmOptions::skbArrowDMinMouseUp()
{
    tmrUpDown->SetEnabled(false);
    tmrUpDown->SetInterval(FirstRepeatMs);
}

void TfrmOptions::tmrUpDownTimer()
{
    if (m_heldArrow == 0)
        StepVolumeUp();
    else
        StepVolumeDown();
    tmrUpDown->SetInterval(RepeatMs);
}

void TfrmOptions::edtVolumeChange()
{
    // A volume the firmware would not give keeps "--" until the user changes it.
    if (m_volumeUnknown && edtVolume->Text() == UnknownFields::Shown)
        return;
    m_volumeUnknown = false;
    // The replacement changes the text again and passes this check.
    if (const auto repaired = OptionRules::repairedVolume(edtVolume->Text(), MaxVolume))
        edtVolume->SetText(*repaired);
}

void TfrmOptions::skbTestClick()
{
    if (skbTest->GetText() != TestCaption) {
        StopTest();
        return;
    }
    if (!SetMixerVolume(mixerLevel(volumeNumber()), AudioBox::over(Handle()))) {
        MessageBoxes::tell(Handle(), "Can not test. Audio function failed.",
                           MessageBoxes::Icon::Warning);
        return;
    }
    if (!frmSelectMusic)
        return;
    const OptionRules::TestPlay play = OptionRules::testPlay(selectedMode());
    if (play == OptionRules::TestPlay::Once) {
        // The track plays once, untimed: Test stays ready to play it again.
        frmSelectMusic->PlaySelection(0, TfrmSelectMusic::PlayTrackOnce);
        return;
    }
    TestDuration = OptionRules::testSeconds(selectedDuration());
    const int mode = play == OptionRules::TestPlay::RepeatOne ? TfrmSelectMusic::RepeatTrack
                                                              : TfrmSelectMusic::PlayToEnd;
    if (!frmSelectMusic->PlaySelection(0, mode))
        return;
    skbTest->SetText(StopCaption);
    m_testStartMs = TickCount::now();
    tmrDuration->SetEnabled(true);
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
    tmrDuration->SetEnabled(false);
    if (frmSelectMusic)
        frmSelectMusic->skbStopClick();
}

void TfrmOptions::skbOKClick()
{
    if (skbTest->GetText() == StopCaption)
        skbTestClick();
    // A setting left unknown is never written: the dialog stays open for
    // the user to choose it.
    const std::vector<std::string> unknown = unknownFields();
    if (!unknown.empty()) {
        MessageBoxes::tell(Handle(), UnknownFields::message(unknown), MessageBoxes::Icon::Error);
        return;
    }
    Hide();
    // The panel follows the model, which the write reloads, success or not.
    if (WriteOptions()) {
        // The controls show what the firmware holds now.
        LoadOptions();
    } else {
        MessageBoxes::tell(Handle(), "Setting options failed, please retry again...",
                           MessageBoxes::Icon::Error);
    }
}

void TfrmOptions::skbCancelClick()
{
    Hide();
    StopTest();
}

void TfrmOptions::skbCloseClick()
{
    skbCancelClick();
}
