#include "app/windows/frm_vesperin.h"

#include "app/alarm/next_ring.h"
#include "app/alarm/next_ring_tip.h"
#include "app/windows/application.h"
#include "app/windows/control_table.h"
#include "app/windows/edit_field.h"
#include "app/windows/forms.h"
#include "app/windows/frm_set_time.h"
#include "app/windows/frm_waiting.h"
#include "app/windows/message_boxes.h"
#include "app/windows/music_dialog.h"
#include "app/windows/option_rules.h"
#include "app/windows/options_dialog.h"
#include "app/windows/plain_button.h"
#include "app/windows/screen_size.h"
#include "app/windows/startup_phases.h"
#include "app/windows/time_fields.h"
#include "app/windows/unknown_fields.h"
#include "app/windows/window_fonts.h"
#include "skin/shaped_form.h"
#include "skin/sk_button.h"
#include "skin/sk_check_box.h"
#include "skin/sk_picture.h"
#include "skin/sk_radio_button.h"

namespace {

const char Form[] = "frmVesperin";
// The labels are white on the panel's dark dial; the mask that hides the
// time while the alarm is off has the dial's colour.
const COLORREF LabelColour = RGB(0xFF, 0xFF, 0xFF);
const COLORREF MaskColour = 0x151416;
// The layout's transparent colours of the buttons.
const COLORREF BezelKey = 0x838384;
const COLORREF DialKey = 0x151516;

} // namespace

TfrmVesperin::TfrmVesperin(const std::string &libraryPath, LibraryLoader &loader)
{
    create({"TfrmVesperin", "frmVesperin", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
            WS_EX_CONTROLPARENT, 272, 80, 330, 443, application ? application->Handle() : nullptr});
    buildControls();
    StartupPhases::mark("panel-controls");
    shapedForm = std::make_unique<ShapedForm>(Handle(), *imgBg);
    FormCreate(libraryPath, loader);
}

TfrmVesperin::~TfrmVesperin()
{
    // The dialogs use the bridge until they are gone, so they go first.
    m_nextRingTip.reset();
    m_music.reset();
    m_options.reset();
    m_setTime.reset();
    m_alarm.reset();
    frmSetTime = nullptr;
    frmSelectMusic = nullptr;
    frmOptions = nullptr;
}

void TfrmVesperin::buildControls()
{
    const HFONT text = WindowFonts::arial(11);
    const HFONT bold = WindowFonts::arial(11, true);
    const HFONT plain = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const COLORREF white = LabelColour;
    using Row = ControlRow;
    // The background picture first: every other control lies on it.
    ControlTable::build(*this, Form, nullptr, {{&imgBg, "imgBg", "", -63, -10}});
    if (imgBg->Bitmap()) {
        m_backdropBrush.reset(CreatePatternBrush(imgBg->Bitmap()));
        m_backdrop = Backdrop{m_backdropBrush.get(), -63, -10};
    }
    const Backdrop *backdrop = m_backdrop ? &*m_backdrop : nullptr;
    ControlTable::build(
        *this, Form, backdrop,
        {
            {&Image2, "Image2", "", 111, 174},
            {&Image3, "Image3", "", 130, 355},
            {&Label1, "Label1", "Time for Next Alarm", 87, 203, 0, 0, CLR_INVALID, bold, white},
            {&SkButton2, "SkButton2", "", 203, 205, 12, 11, DialKey},
            {&Label2, "Label2", "Alarm Time:", 92, 220, 0, 0, CLR_INVALID, text, white},
            {&lblHour, "lblHour", "", 155, 221, 0, 0, CLR_INVALID, text, white},
            {&Label4, "Label4", ":", 170, 220, 0, 0, CLR_INVALID, text, white},
            {&lblMinute, "lblMinute", "", 175, 221, 0, 0, CLR_INVALID, text, white},
            {&lblAMPM, "lblAMPM", "", 191, 221, 0, 0, CLR_INVALID, text, white},
            {&Label3, "Label3", "Alarm Day(s):", 81, 236, 0, 0, CLR_INVALID, text, white},
            {&lblDays, "lblDays", "", 155, 237, 110, 30, CLR_INVALID, text, white},
            {&lblMask, "lblMask", "", 154, 220, 92, 16, CLR_INVALID, text, white, Row::Hidden},
            {&Label6, "Label6", "Music", 72, 279, 0, 0, CLR_INVALID, bold, white},
            {&SkButton4, "SkButton4", "", 110, 281, 12, 11, DialKey},
            {&Label5, "Label5", "Options", 162, 278, 0, 0, CLR_INVALID, bold, white},
            {&SkButton3, "SkButton3", "", 213, 280, 12, 11, DialKey},
            {&Label7, "Label7", "CD-ROM:", 77, 298, 0, 0, CLR_INVALID, text, white},
            {&lblCurDrive, "lblCurDrive", "", 125, 298, 0, 0, CLR_INVALID, text, white},
            {&Label11, "Label11", "Track:", 91, 313, 0, 0, CLR_INVALID, text, white},
            {&lblCurTrack, "lblCurTrack", "", 125, 314, 0, 0, CLR_INVALID, text, white},
            {&Label9, "Label9", "Repeat:", 168, 298, 0, 0, CLR_INVALID, text, white},
            {&lblRepeat, "lblRepeat", "", 208, 298, 0, 0, CLR_INVALID, text, white},
            {&Label13, "Label13", "Duration:", 162, 313, 0, 0, CLR_INVALID, text, white},
            {&lblLength, "lblLength", "", 208, 313, 0, 0, CLR_INVALID, text, white},
            {&Label15, "Label15", "Volume:", 166, 328, 0, 0, CLR_INVALID, text, white},
            {&lblVolume, "lblVolume", "", 208, 328, 0, 0, CLR_INVALID, text, white},
            {&skbMinimize, "skbMinimize", "", 219, 156, 16, 16, BezelKey},
            {&skbClose, "skbClose", "", 236, 168, 16, 16, BezelKey},
            // Plain buttons beyond the client area, where the user never sees
            // them: no tab stops either, so the keyboard cannot reach them.
            {&GroupBox1, "GroupBox1", " Time for Next Alarm ", 360, 0, 120, 50, CLR_INVALID, plain,
             0, Row::GroupBox},
            {&Button1, "Button1", "change", 370, 18, 75, 25, CLR_INVALID, plain, 0, Row::NoTabStop},
            {&GroupBox2, "GroupBox2", " Music ", 360, 60, 120, 50, CLR_INVALID, plain, 0,
             Row::GroupBox},
            {&Button2, "Button2", "Set", 370, 78, 75, 25, CLR_INVALID, plain, 0, Row::NoTabStop},
            {&GroupBox3, "GroupBox3", " Options ", 360, 120, 120, 50, CLR_INVALID, plain, 0,
             Row::GroupBox},
            {&Button3, "Button3", "Set", 370, 138, 75, 25, CLR_INVALID, plain, 0, Row::NoTabStop},
            {&Button4, "Button4", "Apply", 360, 180, 75, 25, CLR_INVALID, plain, 0, Row::NoTabStop},
        });
    lblMask->SetOpaque(MaskColour);

    // The small buttons have no caption: each is named by what it does, the
    // arrows by the heading beside them.
    SkButton2->SetAccessibleName(Label1->Text());
    SkButton4->SetAccessibleName(Label6->Text());
    SkButton3->SetAccessibleName(Label5->Text());
    skbMinimize->SetAccessibleName("Minimize");
    skbClose->SetAccessibleName("Close");

    SkButton2->OnClick = [this] { SkButton2Click(); };
    SkButton4->OnClick = [this] { SkButton4Click(); };
    SkButton3->OnClick = [this] { SkButton3Click(); };
    skbMinimize->OnClick = [this] { skbMinimizeClick(); };
    skbClose->OnClick = [this] { skbCloseClick(); };
    Button1->OnClick = [this] { Button1Click(); };
    Button2->OnClick = [this] { Button2Click(); };
    Button3->OnClick = [this] { Button3Click(); };
}

void TfrmVesperin::FormCreate(const std::string &libraryPath, LibraryLoader &loader)
{
    shapedForm->Apply();
    StartupPhases::mark("panel-outline");
    bridge = std::make_unique<AcpiBridge>(loader);
    const int result = bridge->Load(libraryPath);
    StartupPhases::mark("bridge");
    if (result != AcpiBridge::LoadReady) {
        const char *text = AcpiBridge::loadResultText(result);
        // The program's task bar entry comes first, so that the box, the
        // only window to show, has something to be found by.
        if (application)
            application->ShowInTaskBar();
        MessageBoxes::tell(Handle(), text && *text ? text : "Loading ACPI DLL failed...",
                           MessageBoxes::Icon::Error);
        m_startupFailed = true;
        if (application)
            application->Terminate();
        return;
    }
    createDialogs();
    placeOnScreen();
}

void TfrmVesperin::createDialogs()
{
    // Each dialog loads its part of the model as it is made; the display
    // follows every load.
    m_alarm = std::make_unique<AlarmModel>(*bridge);
    m_alarm->observe([this](AlarmModel::Part part) { alarmLoaded(part); });
    // The dialogs are windows of their own owned by the panel: they have
    // no task bar entries and go with it.
    m_setTime = std::make_unique<TfrmSetTime>(*m_alarm, Handle());
    frmSetTime = m_setTime.get();
    ShowAlarmTime();
    StartupPhases::mark("alarm-time-dialog");
    m_options = makeOptions(*m_alarm, Handle());
    ShowOptions();
    StartupPhases::mark("options-dialog");
    m_music = makeSelectMusic(*m_alarm, Handle());
    ShowMusic();
    StartupPhases::mark("music-dialog");
    // The tooltip's window comes once the drive search runs, so that it
    // adds nothing to the wait for the panel; it takes the time labels
    // where ShowAlarmTime left them.
    createNextRingTip();
}

void TfrmVesperin::createNextRingTip()
{
    // The labels answer no hit test: the mouse over them reaches the
    // background picture, which carries the tooltip's tools. The mask that
    // hides the time while the alarm is off is one too, so that the tip
    // also tells that the alarm is off.
    m_nextRingTip = std::make_unique<NextRingTip>(
        imgBg->Handle(),
        std::vector<HWND>{lblHour->Handle(), Label4->Handle(), lblMinute->Handle(),
                          lblAMPM->Handle(), lblDays->Handle(), lblMask->Handle()},
        [this] { return nextRingLine(); });
}

void TfrmVesperin::alarmLoaded(AlarmModel::Part part)
{
    if (part == AlarmModel::Part::Time) {
        ShowAlarmTime();
        return;
    }
    ShowOptions();
    ShowMusic();
}

std::string TfrmVesperin::nextRingLine() const
{
    if (!m_alarm)
        return {};
    const HeldValue &status = m_alarm->status();
    if (!status)
        return "Whether the alarm is on could not be read";
    if (*status == 0)
        return nextRingText(*status, {});
    const std::optional<TimeSetting> setting = m_alarm->time().setting();
    if (!setting)
        return "The alarm time could not be read";
    return nextRingText(*status, *setting);
}

HWND TfrmVesperin::nextRingTipWindow() const
{
    return m_nextRingTip ? m_nextRingTip->Handle() : nullptr;
}

void TfrmVesperin::placeOnScreen()
{
    const ScreenSize::Size screen = ScreenSize::current().size();
    screenWidth = screen.width;
    screenHeight = screen.height;
    // On a narrow screen the panel moves right so that the alarm time dialog
    // still fits beside it.
    const int panelWidth = Width();
    const int dialogWidth = m_setTime->Width();
    int left = Left();
    if (screenWidth / 2 - panelWidth / 2 < dialogWidth)
        left = screenWidth - dialogWidth - panelWidth;
    if (left < 0)
        left = 0;
    Move(left, Top());
}

void TfrmVesperin::driveSearchEnded()
{
    ShowMusic();
    StartupPhases::mark("panel-to-show");
    Show();
    if (frmWaiting)
        frmWaiting->searchEnded();
}

namespace {

std::string shownOr(const HeldValue &value, std::string (*shown)(uint32_t))
{
    return value ? shown(*value) : std::string(UnknownFields::Shown);
}

std::string hourShown(uint32_t hour)
{
    return TimeFields::twoDigits(TimeFields::twelveHour(hour));
}

std::string minuteShown(uint32_t minute)
{
    return TimeFields::twoDigits(minute);
}

std::string halfShown(uint32_t hour)
{
    return TimeFields::isAfternoon(hour) ? "PM" : "AM";
}

std::string daysShown(uint32_t days)
{
    const char *const names[] = {"Sun. ", "Mon. ", "Tue. ", "Wed. ", "Thu. ", "Fri. ", "Sat. "};
    std::string text;
    for (int day = 0; day < 7; ++day) {
        if ((days >> day) & 1u)
            text += names[day];
    }
    return text;
}

// The name of the entry the firmware's value stands for; empty for a value
// the firmware's list does not offer.
std::string choiceShown(const ChoiceList &list, const HeldValue &value)
{
    if (!value)
        return UnknownFields::Shown;
    const auto entry = OptionRules::entryOf(list, *value);
    return entry ? OptionRules::entryName(list, *entry) : std::string();
}

} // namespace

void TfrmVesperin::ShowAlarmTime()
{
    if (!m_alarm)
        return;
    const HeldValue &status = m_alarm->status();
    if (status && *status == 0) {
        // The mask covers the time, which keeps its text beneath it.
        lblMask->SetOpaque(MaskColour);
        lblMask->SetVisible(true);
        lblDays->SetText("");
        followTimeLabels();
        return;
    }
    lblMask->SetVisible(false);
    const HeldTime &time = m_alarm->time();
    lblHour->SetText(shownOr(time.hour, hourShown));
    lblMinute->SetText(shownOr(time.minute, minuteShown));
    lblAMPM->SetText(shownOr(time.hour, halfShown));
    lblDays->SetText(shownOr(time.days, daysShown));
    followTimeLabels();
}

void TfrmVesperin::followTimeLabels()
{
    if (m_nextRingTip)
        m_nextRingTip->followLabels();
}

void TfrmVesperin::ShowOptions()
{
    if (!m_alarm)
        return;
    const HeldPlay &play = m_alarm->play();
    lblRepeat->SetText(choiceShown(bridge->modeList, play.repeatMode));
    lblLength->SetText(choiceShown(bridge->durationList, play.duration));
    // The volume shows as its number, counted from 1.
    std::string volume = UnknownFields::Shown;
    if (play.volume) {
        const auto entry = OptionRules::entryOf(bridge->volumeList, *play.volume);
        volume = entry ? std::to_string(*entry + 1) : std::string();
    }
    lblVolume->SetText(volume);
}

void TfrmVesperin::ShowMusic()
{
    if (!m_alarm || !m_music)
        return;
    const HeldPlay &play = m_alarm->play();
    lblCurTrack->SetText(play.track ? m_music->trackShown(*play.track)
                                    : std::string(UnknownFields::Shown));
    lblCurDrive->SetText(play.drive ? m_music->driveShown(*play.drive)
                                    : std::string(UnknownFields::Shown));
}

void TfrmVesperin::SkButton2Click()
{
    toggleBeside(m_setTime.get());
}

void TfrmVesperin::SkButton4Click()
{
    toggleBeside(m_music.get());
}

void TfrmVesperin::SkButton3Click()
{
    toggleBeside(m_options.get());
}

void TfrmVesperin::toggleBeside(SettingDialog *dialog)
{
    if (!dialog)
        return;
    if (dialog->Visible()) {
        dialog->clickClose();
        return;
    }
    // One dialog at a time: the others close as if cancelled.
    SettingDialog *const all[] = {m_setTime.get(), m_music.get(), m_options.get()};
    for (SettingDialog *other : all) {
        if (other && other != dialog)
            other->clickClose();
    }

    const int width = dialog->Width();
    const int top = Top() + Height() - dialog->Height();
    // Right of the panel, unless only the left has room.
    const int roomRight = screenWidth - Left() - Width();
    int left = Left() + Width();
    if (width > roomRight && width < Left())
        left = Left() - width;
    if (left + width > screenWidth)
        left = screenWidth - width;
    dialog->Move(left, top);
    dialog->Show();
}

void TfrmVesperin::Button1Click()
{
    toggleAt(m_setTime.get(), Left() + Width(), Top());
}

void TfrmVesperin::Button2Click()
{
    if (m_music)
        toggleAt(m_music.get(), Left() - m_music->Width(), Top());
}

void TfrmVesperin::Button3Click()
{
    toggleAt(m_options.get(), Left(), Top() + Height());
}

void TfrmVesperin::toggleAt(SettingDialog *dialog, int left, int top)
{
    if (!dialog)
        return;
    if (dialog->Visible()) {
        dialog->Hide();
        return;
    }
    dialog->Move(left, top);
    dialog->Show();
}

void TfrmVesperin::skbCloseClick()
{
    // Nothing is written at exit: the dialogs are not asked.
    if (application)
        application->Terminate();
}

void TfrmVesperin::skbMinimizeClick()
{
    if (application)
        application->Minimize();
}

// The window's own presses: the background picture covers the whole client
// area, so these only come where a layout leaves the window bare. They move
// the panel and all three dialogs together.
void TfrmVesperin::FormMouseDown()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    dragX = cursor.x;
    dragY = cursor.y;
    dragging = true;
    SetCapture(Handle());
}

void TfrmVesperin::FormMouseMove()
{
    if (!dragging)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const int dx = cursor.x - dragX;
    const int dy = cursor.y - dragY;
    Move(Left() + dx, Top() + dy);
    Window *const dialogs[] = {m_options.get(), m_setTime.get(), m_music.get()};
    for (Window *dialog : dialogs) {
        if (dialog)
            dialog->Move(dialog->Left() + dx, dialog->Top() + dy);
    }
    dragX = cursor.x;
    dragY = cursor.y;
}

void TfrmVesperin::FormMouseUp()
{
    dragging = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
}

LRESULT TfrmVesperin::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        FormMouseDown();
        return 0;
    case WM_MOUSEMOVE:
        FormMouseMove();
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        FormMouseUp();
        return 0;
    case WM_CAPTURECHANGED:
        dragging = false;
        break;
    case WM_CLOSE:
        // Closing the panel through the window system ends the program, as
        // its close button does.
        skbCloseClick();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            skbMinimizeClick();
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        // The dialogs belong to the panel: they go and come back with it
        // when the program is minimised and restored.
        if (lParam == SW_PARENTCLOSING)
            ShowOwnedPopups(Handle(), FALSE);
        else if (lParam == SW_PARENTOPENING)
            ShowOwnedPopups(Handle(), TRUE);
        break;
    default:
        break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
