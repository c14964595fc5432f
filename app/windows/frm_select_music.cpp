#include "app/windows/frm_select_music.h"

#include "app/alarm/alarm_model.h"
#include "app/binding/acpi_bridge.h"
#include "app/windows/audio_box.h"
#include "app/windows/combo_box.h"
#include "app/windows/control_table.h"
#include "app/windows/forms.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/list_view.h"
#include "app/windows/message_boxes.h"
#include "app/windows/startup_phases.h"
#include "app/windows/timer.h"
#include "app/windows/window_fonts.h"
#include "audio/audio_cd_info.h"
#include "discovery/drive_search.h"
#include "discovery/ide_devices.h"
#include "skin/shaped_form.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "skin/sk_picture.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

const char Form[] = "frmSelectMusic";
const char Caption[] = "Music Selection";
constexpr int ClientWidth = 276;
constexpr int ClientHeight = 340;
// The layout's transparent colours of the buttons (red in the lowest byte).
constexpr COLORREF TitleKey = 0x474748;
constexpr COLORREF BodyKey = 0x3B3B3B;

constexpr COLORREF Silver = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF White = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF Grey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF FieldBackground = RGB(0x33, 0x33, 0x33);

constexpr UINT WaitingPollMs = 500;
constexpr int TitleColumnWidth = 160;

// The current track's fixed width, widened when two digits of the dialog font
// need more: the face standing in for the layout's may be a pixel wider.
int twoDigitsWide()
{
    constexpr int LayoutWidth = 12;
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, WindowFonts::dialogText());
    SIZE extent{};
    GetTextExtentPoint32A(dc, "99", 2, &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return std::max<int>(LayoutWidth, extent.cx);
}

} // namespace

std::unique_ptr<MusicDialog> makeSelectMusic(AlarmModel &alarm, HWND owner)
{
    auto dialog = std::make_unique<TfrmSelectMusic>(alarm, owner);
    frmSelectMusic = dialog.get();
    return dialog;
}

TfrmSelectMusic::TfrmSelectMusic(AlarmModel &alarm, HWND owner)
    : m_alarm(alarm), m_bridge(alarm.bridge())
{
    createDialog("TfrmSelectMusic", Caption, ClientWidth, ClientHeight, owner);
    buildControls();
    m_shapedForm = std::make_unique<ShapedForm>(Handle(), *imgBg);
    m_shapedForm->Apply();

    tmrWaiting->SetEnabled(true);
    StartupPhases::mark("poll-started");
    m_search = std::make_unique<DriveSearch>();
}

TfrmSelectMusic::~TfrmSelectMusic()
{
    // The search may still run when the program ends early; letting it go
    // never waits, and its worker keeps what it writes alive by itself.
    m_search.reset();
    tmrWaiting.reset();
    closePlayer();
    tmrOneTrack.reset();
    if (frmSelectMusic == this)
        frmSelectMusic = nullptr;
}

void TfrmSelectMusic::buildControls()
{
    using Row = ControlRow;
    ControlTable::build(*this, Form, nullptr, {{&imgBg, "imgBg", "", -4, -5}});
    if (imgBg->Bitmap()) {
        m_backdropBrush.reset(CreatePatternBrush(imgBg->Bitmap()));
        m_backdrop = Backdrop{m_backdropBrush.get(), -4, -5};
    }
    const Backdrop *backdrop = m_backdropBrush ? &m_backdrop : nullptr;
    const HFONT text = WindowFonts::dialogText();
    const auto label = [&](Label **slot, const char *name, const char *caption, int left, int top,
                           int width = 0, int height = 0) {
        return Row{slot, name, caption, left, top, width, height, CLR_INVALID, text, Silver};
    };
    const auto button = [&](SkButton **slot, const char *name, int left, int top, int width,
                            int height, COLORREF key) {
        return Row{slot, name, "", left, top, width, height, key, nullptr, 0, Row::NoTabStop};
    };
    const auto textButton = [&](SkButtonTx **slot, const char *name, const char *caption, int left,
                                int top, COLORREF key) {
        return Row{slot, name, caption, left, top, 104, 25, key, text, Silver, Row::NoTabStop};
    };
    ControlTable::build(*this, Form, backdrop,
                        {
                            {&lblTitle, "lblTitle", Caption, 44, 9, 0, 0, CLR_INVALID,
                             WindowFonts::arial(12), White},
                            button(&skbClose, "skbClose", 233, 20, 16, 16, TitleKey),
                            label(&Label1, "Label1", "Select CD-ROM:", 59, 56),
                            {&cbxCDROM, "cbxCDROM", "", 148, 51, 98, 21, CLR_INVALID, text, Silver},
                            label(&Label2, "Label2", "Current Track:", 69, 80),
                            label(&lblCurTrack, "lblCurTrack", "", 143, 81, twoDigitsWide(), 13),
                            button(&skbPlay, "skbPlay", 176, 77, 31, 24, BodyKey),
                            button(&skbStop, "skbStop", 210, 77, 31, 24, BodyKey),
                            textButton(&skbOK, "skbOK", "OK", 27, 285, BodyKey),
                            textButton(&skbCancel, "skbCancel", "Cancel", 145, 285, CLR_INVALID),
                        },
                        // Tabbing moves between the drive list and the track list only
                        // (the track list, made below, comes right after the drive list).
                        {&cbxCDROM});
    cbxCDROM->SetColours(Silver, FieldBackground);
    // Only a choice of the user's refills the track list.
    cbxCDROM->OnChange = [this] { cbxCDROMChange(); };
    for (SkButtonTx *confirm : {skbOK, skbCancel})
        confirm->SetFontColors(White, White, Grey);
    skbClose->SetAccessibleName("Close");
    skbPlay->SetAccessibleName("Play");
    skbStop->SetAccessibleName("Stop");
    skbClose->OnClick = [this] { skbCloseClick(); };
    skbPlay->OnClick = [this] { skbPlayClick(); };
    skbStop->OnClick = [this] { skbStopClick(); };
    skbOK->OnClick = [this] { skbOKClick(); };
    skbCancel->OnClick = [this] { skbCancelClick(); };

    // The track list is the one control the layout table has no kind for.
    lvMusic = own(std::make_unique<ListView>(Handle(), 32, 106, 212, 169));
    // Made after the table, it lies beneath every control and the picture:
    // it goes right beneath the drive list, the last of the tab order.
    SetWindowPos(lvMusic->Handle(), cbxCDROM->Handle(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    lvMusic->SetFont(text);
    lvMusic->AddColumn(TitleColumnWidth);
    // The lengths take what the titles and the scroll bar leave, so that the
    // list never scrolls sideways.
    lvMusic->AddColumn(lvMusic->Width() - TitleColumnWidth - GetSystemMetrics(SM_CXVSCROLL));
    lvMusic->SetColours(Silver, FieldBackground);
    lvMusic->OnChange = [this] { lvMusicChange(); };

    tmrOneTrack = std::make_unique<Timer>(*this, 0);
    tmrOneTrack->OnTimer = [this] { tmrOneTrackTimer(); };
    tmrWaiting = std::make_unique<Timer>(*this, WaitingPollMs);
    tmrWaiting->OnTimer = [this] { tmrWaitingTimer(); };
}

LRESULT TfrmSelectMusic::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && lvMusic) {
        const auto *header = reinterpret_cast<const NMHDR *>(lParam);
        if (header && header->hwndFrom == lvMusic->Handle()) {
            lvMusic->notify(*header);
            return 0;
        }
    }
    return MusicDialog::handleMessage(message, wParam, lParam);
}

std::string TfrmSelectMusic::selectedDrive() const
{
    return cbxCDROM->Text();
}

std::string TfrmSelectMusic::driveShown(uint32_t storedDrive) const
{
    const MusicRules::StoredDrive stored =
        MusicRules::findStoredDrive(m_bridge.driveList, m_devices.get(), storedDrive);
    if (stored.kind != MusicRules::StoredDrive::Kind::Device || stored.letter == 0)
        return {};
    return std::string(1, stored.letter);
}

std::string TfrmSelectMusic::trackShown(uint32_t storedTrack) const
{
    const int rows = lvMusic->Count();
    if (rows == 0)
        return {};
    return std::to_string(MusicRules::storedRow(storedTrack, rows) + 1);
}

void TfrmSelectMusic::clickClose()
{
    skbCloseClick();
}

void TfrmSelectMusic::FormShow()
{
    LoadMusicChoice();
}

void TfrmSelectMusic::tmrWaitingTimer()
{
    StartupPhases::mark("poll-tick");
    tmrWaiting->SetEnabled(false);
    if (!m_search || m_search->running()) {
        tmrWaiting->SetEnabled(true);
        return;
    }
    takeSearchResults();
    LoadMusicChoice();
    if (frmVesperin)
        frmVesperin->driveSearchEnded();
}

void TfrmSelectMusic::takeSearchResults()
{
    // The worker has ended: its table and letters belong to this thread now.
    m_devices = m_search->takeDevices();
    cbxCDROM->Clear();
    for (const char letter : m_search->letters())
        cbxCDROM->Add(std::string(1, letter));
    // No drive is chosen until the stored choice says which.
    cbxCDROM->SetItemIndex(-1);
    m_search.reset();
}

void TfrmSelectMusic::LoadMusicChoice()
{
    m_alarm.loadPlay();
    const HeldPlay &held = m_alarm.play();
    // A drive the firmware would not give leaves the choice alone.
    if (held.drive)
        selectStoredDrive(*held.drive);

    if (!FillTrackList())
        return;
    // A track the firmware would not give is no row; the user picks one.
    if (!held.track) {
        lvMusic->ClearSelection();
        lblCurTrack->SetText("");
        return;
    }
    const int row = MusicRules::storedRow(*held.track, lvMusic->Count());
    lvMusic->ClearSelection();
    lvMusic->Select(row);
    lblCurTrack->SetText(std::to_string(row + 1));
}

void TfrmSelectMusic::selectStoredDrive(uint32_t storedDrive)
{
    const MusicRules::StoredDrive stored =
        MusicRules::findStoredDrive(m_bridge.driveList, m_devices.get(), storedDrive);
    switch (stored.kind) {
    case MusicRules::StoredDrive::Kind::Unlisted:
        // A drive value the firmware does not list leaves the choice alone.
        return;
    case MusicRules::StoredDrive::Kind::NoDevice:
        MessageBoxes::current().show(Handle(), Caption, "No matched device found...",
                                     MessageBoxes::Icon::Error);
        return;
    case MusicRules::StoredDrive::Kind::Device: {
        // A device there without a drive letter leaves no drive chosen.
        int index = -1;
        for (int item = 0; stored.letter != 0 && item < cbxCDROM->Count(); ++item) {
            if (cbxCDROM->Item(item) == std::string(1, stored.letter))
                index = item;
        }
        cbxCDROM->SetItemIndex(index);
        return;
    }
    }
}

bool TfrmSelectMusic::FillTrackList()
{
    lvMusic->Clear();
    closePlayer();

    m_player = std::make_unique<AudioCDInfo>(selectedDrive(), 1);
    m_player->setErrorBox(AudioBox::over(Handle()));
    m_player->setErrorCaption(MessageBoxes::ApplicationTitle);
    m_player->ReadTrackList();

    const size_t tracks =
        std::min(size_t(std::max(m_player->TrackCount, 0)), m_player->TrackLengths.size());
    std::vector<std::pair<std::string, std::string>> rows;
    for (size_t track = 1; track <= tracks; ++track)
        rows.emplace_back("Track" + std::to_string(track),
                          FormatTrackLength(m_player->TrackLengths[track - 1]));
    lvMusic->AddRows(rows);
    if (tracks == 0) {
        lblCurTrack->SetText("");
        return false;
    }
    lvMusic->ClearSelection();
    lvMusic->Select(0);
    lblCurTrack->SetText("1");
    return true;
}

void TfrmSelectMusic::closePlayer()
{
    // The device alias is the same for every player: the old one closes
    // before the next opens.
    if (tmrOneTrack)
        tmrOneTrack->SetEnabled(false);
    if (m_player)
        m_player->CloseDevice();
    m_player.reset();
}

void TfrmSelectMusic::cbxCDROMChange()
{
    FillTrackList();
}

void TfrmSelectMusic::lvMusicChange()
{
    const int row = lvMusic->Selected();
    if (row >= 0)
        lblCurTrack->SetText(std::to_string(row + 1));
}

bool TfrmSelectMusic::PlaySelection(int32_t track, int mode)
{
    if (track == 0) {
        const std::string current = lblCurTrack->Text();
        if (current.empty()) {
            MessageBoxes::tell(Handle(), "Select a music first.", MessageBoxes::Icon::Warning);
            return false;
        }
        track = std::atoi(current.c_str());
    }
    if (!m_player)
        return false;

    const int32_t tracks = std::min(m_player->TrackCount, int32_t(m_player->TrackLengths.size()));
    if (mode == RepeatTrack) {
        m_oneTrack = track;
        const uint32_t length =
            track >= 1 && track <= tracks ? m_player->TrackLengths[size_t(track - 1)] : 0;
        if (!m_player->PlayTracks(track, 0))
            return false;
        // A track without length has nothing to repeat: a timer of no
        // interval would restart it without pause.
        if (length > 0) {
            tmrOneTrack->SetInterval(UINT(std::min<uint32_t>(length, INT_MAX)));
            tmrOneTrack->SetEnabled(true);
        }
        return true;
    }
    return m_player->PlayTracks(track, MusicRules::playEnd(mode, track, tracks));
}

void TfrmSelectMusic::skbPlayClick()
{
    tmrOneTrack->SetEnabled(false);
    PlaySelection(0, PlayToEnd);
}

void TfrmSelectMusic::skbStopClick()
{
    tmrOneTrack->SetEnabled(false);
    if (m_player)
        m_player->StopPlaying();
}

void TfrmSelectMusic::tmrOneTrackTimer()
{
    // Stopped while the track restarts, so that a refused restart shows its
    // box once instead of again at every interval.
    tmrOneTrack->SetEnabled(false);
    if (PlaySelection(m_oneTrack, PlayToEnd))
        tmrOneTrack->SetEnabled(true);
}

bool TfrmSelectMusic::WriteMusicChoice()
{
    PlayStatus status{};
    const std::string current = lblCurTrack->Text();
    status.track = current.empty() ? 1 : uint32_t(std::atoi(current.c_str()) - 1);
    const std::string drive = selectedDrive();
    status.drive = MusicRules::positionOf(m_devices.get(), drive.empty() ? '\0' : drive[0]);

    // The repeat mode, the duration and the volume belong to the options
    // dialog: they go back as the firmware holds them, or not at all.
    m_alarm.loadPlay();
    const HeldPlay &held = m_alarm.play();
    if (!held.repeatMode || !held.duration || !held.volume)
        return false;
    status.repeatMode = *held.repeatMode;
    status.duration = *held.duration;
    status.volume = *held.volume;
    return m_alarm.writePlay(status) && m_alarm.holdsPlay(status);
}

void TfrmSelectMusic::skbOKClick()
{
    // Without a track there is no choice to store; the firmware keeps the
    // one it holds.
    const bool noTrack = lblCurTrack->Text().empty();
    if (noTrack)
        MessageBoxes::tell(Handle(), "No music selected !", MessageBoxes::Icon::Warning);
    Hide();
    skbStopClick();
    if (noTrack)
        return;
    // The panel follows the model, which the write reloads, success or not.
    if (!WriteMusicChoice())
        MessageBoxes::tell(Handle(), "Setting music failed, please retry again...",
                           MessageBoxes::Icon::Error);
}

void TfrmSelectMusic::skbCancelClick()
{
    Hide();
    skbStopClick();
}

void TfrmSelectMusic::skbCloseClick()
{
    skbCancelClick();
}
