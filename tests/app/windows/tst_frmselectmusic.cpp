// The music selection dialog: the hand-over from the drive search to the
// panel, the drive and track lists, the stored choice in both directions,
// the player's three ways of playing a track, and the decisions behind them
// (where the stored drive is, which row the stored track is).

#include "app/windows/combo_box.h"
#include "app/windows/forms.h"
#include "app/windows/frm_select_music.h"
#include "app/windows/frm_vesperin.h"
#include "app/windows/frm_waiting.h"
#include "app/windows/label.h"
#include "app/windows/list_view.h"
#include "app/windows/music_rules.h"
#include "app/windows/timer.h"
#include "audio/audio_cd_info.h"
#include "discovery/drive_search.h"
#include "pump.h"
#include "skin/sk_button.h"
#include "skin/sk_button_tx.h"
#include "window_test_rig.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <memory>

using nlohmann::json;
using namespace MusicRules;

namespace {

constexpr int ItemDrive = 11;
constexpr int ItemTrack = 12;
constexpr int ItemRepeat = 13;
constexpr int ItemDuration = 14;
constexpr int ItemVolume = 15;

json cdrom(int channel, int device, const char *letter, json tracks)
{
    json drive = {{"channel", channel},
                  {"device", device},
                  {"type", "cdrom"},
                  {"instance", std::string("IDE\\CDROMEMU_") + letter + "\\5&1A&0&" +
                                   std::to_string(channel) + "." + std::to_string(device)},
                  {"letter", letter}};
    drive["disc"] = tracks.is_null() ? json() : json{{"tracks_ms", tracks}};
    return drive;
}

// Presses a skinned control with the mouse, in its middle.
template <typename Control> void press(Control *control)
{
    RECT client{};
    GetClientRect(control->Handle(), &client);
    clickAt(control->Handle(), client.right / 2, client.bottom / 2);
}

// The user clicks row `row` of the track list.
void chooseRow(int row)
{
    ListView &list = *frmSelectMusic->lvMusic;
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list.Handle(), LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    clickAt(list.Handle(), item.left + 20, (item.top + item.bottom) / 2);
}

// The user picks drive `index` from the drive list: the box tells its window
// as the system does when the user picks.
void chooseDrive(int index)
{
    ComboBox &box = *frmSelectMusic->cbxCDROM;
    SendMessageA(box.Handle(), CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(GetParent(box.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
}

std::string rowText(int row, int column)
{
    return frmSelectMusic->lvMusic->Text(row, column);
}

json playback(const MachineImage &image)
{
    return image.current()["hardware"].value("playback", json());
}

bool playing(const MachineImage &image)
{
    return !playback(image).is_null();
}

json played(const char *letter, int from, int to)
{
    return {{"letter", letter}, {"from", from}, {"to", to}};
}

// Opens the music dialog with the panel's arrow button.
void openMusic()
{
    press(frmVesperin->SkButton4);
    ASSERT_TRUE(pumpUntil([] { return frmSelectMusic->Visible(); }));
}

DWORD WINAPI releaseLater(LPVOID flag)
{
    Sleep(20000);
    *static_cast<std::atomic<bool> *>(flag) = true;
    return 0;
}

class FrmSelectMusic : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_rig.reset();
        DriveSearch::install(nullptr);
    }

    void start() { ASSERT_TRUE(rig().start()); }

    void expectNoMatchedDevice()
    {
        ASSERT_EQ(rig().boxes.boxes.size(), 1u);
        const RecordingMessageBoxes::Box box = rig().boxes.boxes.front();
        rig().boxes.boxes.clear();
        EXPECT_EQ(box.text, "No matched device found...");
        EXPECT_EQ(box.caption, "Music Selection");
        EXPECT_EQ(box.icon, MessageBoxes::Icon::Error);
        EXPECT_EQ(box.owner, frmSelectMusic->Handle());
    }

    WindowTestRig &rig()
    {
        if (!m_rig)
            m_rig = std::make_unique<WindowTestRig>();
        return *m_rig;
    }

private:
    std::unique_ptr<WindowTestRig> m_rig;
};

} // namespace

TEST_F(FrmSelectMusic, PanelWaitsForTheDriveSearchOffTheWindowThread)
{
    std::atomic<bool> released{false};
    std::atomic<DWORD> searcher{0};
    const DriveSearch::Discovery held = [&](IDEDevices &devices) {
        searcher = GetCurrentThreadId();
        while (!released)
            Sleep(5);
        return devices.Discover();
    };
    DriveSearch::install(&held);

    rig();
    ASSERT_TRUE(createForms(WindowTestRig::libraryPath()));
    ASSERT_TRUE(pumpUntil([&] { return searcher != 0; }));
    EXPECT_NE(searcher, GetCurrentThreadId());
    // Several polls go by while the search runs: the waiting window stays
    // alone and the drive list untouched.
    EXPECT_FALSE(pumpUntil([] { return frmVesperin->Visible(); }, 1600));
    EXPECT_TRUE(frmWaiting->Visible());
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Count(), 0);
    EXPECT_TRUE(frmSelectMusic->tmrWaiting->Enabled());

    released = true;
    ASSERT_TRUE(pumpUntil([] { return frmVesperin->Visible(); }));
    EXPECT_FALSE(frmWaiting->Visible());
    EXPECT_FALSE(frmSelectMusic->tmrWaiting->Enabled());
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Text(), "D");
    EXPECT_EQ(frmVesperin->lblCurDrive->Text(), "D");
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "1");
    EXPECT_TRUE(rig().boxes.boxes.empty());
    // Idle: no timer runs.
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmSelectMusic, EndingDuringAHungSearchDoesNotWait)
{
    std::atomic<bool> released{false};
    const DriveSearch::Discovery hung = [&released](IDEDevices &) {
        while (!released)
            Sleep(5);
        return int32_t(0);
    };
    DriveSearch::install(&hung);
    rig();
    ASSERT_TRUE(createForms(WindowTestRig::libraryPath()));
    // A watchdog lets the search go at last, so that a program that waits
    // for it fails this test instead of hanging it.
    const HANDLE watchdog = CreateThread(nullptr, 0, releaseLater, &released, 0, nullptr);
    destroyForms();
    EXPECT_FALSE(released) << "the end waited for the search";
    released = true;
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
}

TEST_F(FrmSelectMusic, ListsTheTracksOfTheDiscWithTheirLengths)
{
    // A track of an hour or more shows its hours.
    rig().image.image["hardware"]["ide"][1]["disc"]["tracks_ms"][11] = 3725000;
    rig().image.write();
    start();
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Count(), 1);
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Text(), "D");
    ASSERT_EQ(frmSelectMusic->lvMusic->Count(), 12);
    EXPECT_EQ(rowText(0, 0), "Track1");
    EXPECT_EQ(rowText(0, 1), "03:05");
    EXPECT_EQ(rowText(2, 1), "01:38"); // 97.5 s rounds up
    EXPECT_EQ(rowText(11, 0), "Track12");
    EXPECT_EQ(rowText(11, 1), "01:02:05");
    EXPECT_EQ(frmSelectMusic->lvMusic->Selected(), 0);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "1");

    // Clicking a row makes it the current track.
    openMusic();
    chooseRow(6);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "7");
    EXPECT_EQ(frmSelectMusic->lvMusic->Selected(), 6);
}

TEST_F(FrmSelectMusic, SelectsTheStoredTrack)
{
    const std::pair<uint32_t, int> cases[] = {{0, 0}, {11, 11}, {12, 0}, {98, 0}, {0xFFFFFFFFu, 0}};
    for (const auto &[stored, row] : cases) {
        WindowTestRig each;
        each.image.setItem(ItemTrack, stored);
        ASSERT_TRUE(each.start());
        EXPECT_EQ(frmSelectMusic->lvMusic->Selected(), row) << stored;
        EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), std::to_string(row + 1)) << stored;
        EXPECT_EQ(frmVesperin->lblCurTrack->Text(), std::to_string(row + 1)) << stored;
    }
}

TEST_F(FrmSelectMusic, AnotherDriveRefillsTheTrackList)
{
    rig().image.image["hardware"]["ide"].push_back(cdrom(1, 1, "E", {60000, 120000, 30000}));
    rig().image.write();
    start();
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Count(), 2);
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Text(), "D");
    openMusic();
    chooseRow(9);

    chooseDrive(1);
    ASSERT_EQ(frmSelectMusic->lvMusic->Count(), 3);
    EXPECT_EQ(rowText(1, 1), "02:00");
    EXPECT_EQ(frmSelectMusic->lvMusic->Selected(), 0);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "1");

    // The player follows the drive: Play plays the disc in E.
    chooseRow(2);
    press(frmSelectMusic->skbPlay);
    EXPECT_EQ(playback(rig().image), played("E", 3, 0));

    // OK stores the drive's IDE position and the track from 0.
    press(frmSelectMusic->skbOK);
    EXPECT_FALSE(frmSelectMusic->Visible());
    EXPECT_FALSE(playing(rig().image));
    EXPECT_EQ(rig().image.item(ItemDrive), 3u);
    EXPECT_EQ(rig().image.item(ItemTrack), 2u);
    EXPECT_EQ(frmVesperin->lblCurDrive->Text(), "E");
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "3");
    EXPECT_TRUE(rig().boxes.boxes.empty());
}

TEST_F(FrmSelectMusic, WithoutAnyCdDriveNothingIsChosenAndNothingWritten)
{
    rig().image.image["hardware"]["ide"].erase(1);
    rig().image.write();
    start();
    expectNoMatchedDevice();
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Count(), 0);
    EXPECT_EQ(frmSelectMusic->lvMusic->Count(), 0);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "");
    EXPECT_EQ(frmVesperin->lblCurDrive->Text(), "");
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "");

    openMusic();
    expectNoMatchedDevice();
    press(frmSelectMusic->skbPlay);
    press(frmSelectMusic->skbOK);
    EXPECT_EQ(rig().boxes.texts(),
              (std::vector<std::string>{"Select a music first.", "No music selected !"}));
    for (const RecordingMessageBoxes::Box &box : rig().boxes.boxes) {
        EXPECT_EQ(box.icon, MessageBoxes::Icon::Warning);
        EXPECT_EQ(box.caption, "Vesperin");
        EXPECT_EQ(box.owner, frmSelectMusic->Handle());
    }
    // The firmware keeps the choice it had.
    EXPECT_FALSE(frmSelectMusic->Visible());
    EXPECT_EQ(rig().image.item(ItemDrive), 2u);
    EXPECT_EQ(rig().image.item(ItemTrack), 0u);
    EXPECT_FALSE(playing(rig().image));
}

TEST_F(FrmSelectMusic, StoredPositionWithoutADeviceIsReportedAtEveryShow)
{
    // Primary slave: no device sits there.
    rig().image.setItem(ItemDrive, 1);
    start();
    expectNoMatchedDevice();
    EXPECT_EQ(frmSelectMusic->cbxCDROM->ItemIndex(), -1);
    EXPECT_EQ(frmSelectMusic->lvMusic->Count(), 0);

    for (int show = 0; show < 2; ++show) {
        openMusic();
        expectNoMatchedDevice();
        press(frmVesperin->SkButton4);
        EXPECT_FALSE(frmSelectMusic->Visible());
    }
    // The user picks the drive that is there; its tracks fill the list.
    openMusic();
    rig().boxes.boxes.clear();
    chooseDrive(0);
    EXPECT_EQ(frmSelectMusic->lvMusic->Count(), 12);
    EXPECT_TRUE(rig().boxes.boxes.empty());
}

TEST_F(FrmSelectMusic, StoredPositionOfADeviceWithoutLetterChoosesNoDrive)
{
    // Primary master: the hard disk, a device without a drive letter.
    rig().image.setItem(ItemDrive, 0);
    start();
    EXPECT_TRUE(rig().boxes.boxes.empty());
    EXPECT_EQ(frmSelectMusic->cbxCDROM->Count(), 1);
    EXPECT_EQ(frmSelectMusic->cbxCDROM->ItemIndex(), -1);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "");
}

TEST_F(FrmSelectMusic, PlaysATrackInEachMode)
{
    start();
    EXPECT_TRUE(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::PlayTrackOnce));
    EXPECT_EQ(playback(rig().image), played("D", 3, 4));
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());

    EXPECT_TRUE(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::PlayToEnd));
    EXPECT_EQ(playback(rig().image), played("D", 3, 0));

    // Repeating one track restarts it whenever its length has passed.
    EXPECT_TRUE(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::RepeatTrack));
    EXPECT_TRUE(frmSelectMusic->tmrOneTrack->Enabled());
    EXPECT_EQ(frmSelectMusic->tmrOneTrack->Interval(), 97500u);
    EXPECT_TRUE(frmSelectMusic->PlaySelection(1, TfrmSelectMusic::RepeatTrack));
    EXPECT_EQ(frmSelectMusic->tmrOneTrack->Interval(), 185000u); // 3 min 5 s
    frmSelectMusic->skbStopClick();
    EXPECT_FALSE(playing(rig().image));
    frmSelectMusic->tmrOneTrackTimer();
    EXPECT_EQ(playback(rig().image), played("D", 1, 0));
    EXPECT_TRUE(frmSelectMusic->tmrOneTrack->Enabled());

    // The last track has no next track to stop at: once, it plays to the end.
    EXPECT_TRUE(frmSelectMusic->PlaySelection(12, TfrmSelectMusic::PlayTrackOnce));
    EXPECT_EQ(playback(rig().image), played("D", 12, 0));

    // Play plays the current track to the end of the disc; Stop ends the
    // repeat too.
    openMusic();
    EXPECT_TRUE(frmSelectMusic->PlaySelection(2, TfrmSelectMusic::RepeatTrack));
    chooseRow(4);
    press(frmSelectMusic->skbPlay);
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());
    EXPECT_EQ(playback(rig().image), played("D", 5, 0));
    EXPECT_TRUE(frmSelectMusic->PlaySelection(2, TfrmSelectMusic::RepeatTrack));
    press(frmSelectMusic->skbStop);
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());
    EXPECT_FALSE(playing(rig().image));
    EXPECT_TRUE(rig().boxes.boxes.empty());
}

TEST_F(FrmSelectMusic, TracksOutsideTheDiscOrWithoutLengthNeverRepeat)
{
    rig().image.image["hardware"]["ide"][1]["disc"]["tracks_ms"] = {0, 60000};
    rig().image.write();
    start();
    EXPECT_TRUE(frmSelectMusic->PlaySelection(1, TfrmSelectMusic::RepeatTrack));
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());

    // The player reports the track the disc does not have.
    EXPECT_FALSE(frmSelectMusic->PlaySelection(7, TfrmSelectMusic::RepeatTrack));
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());
    ASSERT_EQ(rig().boxes.boxes.size(), 1u);
    EXPECT_EQ(rig().boxes.boxes.front().icon, MessageBoxes::Icon::Error);
    EXPECT_EQ(rig().boxes.boxes.front().owner, frmSelectMusic->Handle());
}

TEST_F(FrmSelectMusic, ARefusedRestartEndsTheRepeat)
{
    start();
    EXPECT_TRUE(frmSelectMusic->PlaySelection(2, TfrmSelectMusic::RepeatTrack));
    // The disc goes: the restart fails once and is not tried again.
    rig().image.image["hardware"]["ide"][1]["disc"] = nullptr;
    rig().image.write();
    frmSelectMusic->tmrOneTrackTimer();
    EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled());
}

TEST_F(FrmSelectMusic, OkWritesTheOptionsBackAsTheFirmwareHoldsThem)
{
    start();
    // Another program changed the options since the dialogs loaded them.
    rig().image.setItem(ItemRepeat, 2);
    rig().image.setItem(ItemDuration, 3);
    rig().image.setItem(ItemVolume, 5);
    openMusic();
    chooseRow(6);
    press(frmSelectMusic->skbOK);

    EXPECT_FALSE(frmSelectMusic->Visible());
    EXPECT_EQ(rig().image.item(ItemTrack), 6u);
    EXPECT_EQ(rig().image.item(ItemDrive), 2u);
    EXPECT_EQ(rig().image.item(ItemRepeat), 2u);
    EXPECT_EQ(rig().image.item(ItemDuration), 3u);
    EXPECT_EQ(rig().image.item(ItemVolume), 5u);
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "7");
    EXPECT_TRUE(rig().boxes.boxes.empty());
}

TEST_F(FrmSelectMusic, AFailedWriteLeavesThePanelAsItWas)
{
    struct Case
    {
        const char *method;
        int item;
    };
    // The options cannot be read, so they cannot be written back; or the
    // library reports the write done while the firmware kept the old track.
    for (const Case &c :
         {Case{"GITM", ItemRepeat}, Case{"GITM", ItemVolume}, Case{"SITM", ItemTrack}}) {
        WindowTestRig each;
        ASSERT_TRUE(each.start());
        openMusic();
        chooseRow(4);
        each.image.refuse(c.method, c.item);
        press(frmSelectMusic->skbOK);

        EXPECT_EQ(each.boxes.texts(),
                  std::vector<std::string>{"Setting music failed, please retry again..."})
            << c.method << c.item;
        ASSERT_FALSE(each.boxes.boxes.empty());
        EXPECT_EQ(each.boxes.boxes.front().icon, MessageBoxes::Icon::Error);
        EXPECT_EQ(each.image.item(ItemTrack), 0u);
        EXPECT_EQ(each.image.item(ItemRepeat), 1u);
        EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "1");
        EXPECT_FALSE(frmSelectMusic->Visible());
    }
}

TEST_F(FrmSelectMusic, ATrackTheFirmwareWillNotGiveIsNoChoiceAndNeverWritten)
{
    rig().image.setItem(ItemTrack, 5);
    rig().image.refuse("GITM", ItemTrack);
    start();
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "--");
    EXPECT_EQ(frmVesperin->lblCurDrive->Text(), "D");
    openMusic();
    EXPECT_EQ(frmSelectMusic->lvMusic->Count(), 12);
    EXPECT_EQ(frmSelectMusic->lvMusic->Selected(), -1);
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "");
    press(frmSelectMusic->skbOK);
    EXPECT_EQ(rig().boxes.texts(), std::vector<std::string>{"No music selected !"});
    EXPECT_EQ(rig().image.item(ItemTrack), 5u);

    // A row the user picks is the user's to write.
    rig().boxes.boxes.clear();
    openMusic();
    chooseRow(2);
    press(frmSelectMusic->skbOK);
    EXPECT_EQ(rig().image.item(ItemTrack), 2u);
    // It cannot be read back, so the write is not confirmed.
    EXPECT_EQ(rig().boxes.texts(),
              std::vector<std::string>{"Setting music failed, please retry again..."});
    EXPECT_EQ(frmVesperin->lblCurTrack->Text(), "--");
}

TEST_F(FrmSelectMusic, EveryWayOutStopsThePlaybackAndWritesNothing)
{
    start();
    // Cancel, the close button, and the window system's close.
    for (int way = 0; way < 3; ++way) {
        openMusic();
        chooseRow(8);
        EXPECT_TRUE(frmSelectMusic->PlaySelection(0, TfrmSelectMusic::RepeatTrack));
        EXPECT_EQ(playback(rig().image), played("D", 9, 0));
        if (way == 0)
            press(frmSelectMusic->skbCancel);
        else if (way == 1)
            press(frmSelectMusic->skbClose);
        else
            SendMessageA(frmSelectMusic->Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(frmSelectMusic->Visible()) << way;
        EXPECT_FALSE(frmSelectMusic->tmrOneTrack->Enabled()) << way;
        EXPECT_FALSE(playing(rig().image)) << way;
        EXPECT_EQ(rig().image.item(ItemTrack), 0u) << way;
    }
    // Showing again discards the unconfirmed row.
    openMusic();
    EXPECT_EQ(frmSelectMusic->lblCurTrack->Text(), "1");
    EXPECT_EQ(Timer::running(), 0);
}

TEST_F(FrmSelectMusic, TheControlsKeepTheLayout)
{
    start();
    RECT client{};
    GetClientRect(frmSelectMusic->Handle(), &client);
    EXPECT_EQ(client.right, 276);
    EXPECT_EQ(client.bottom, 340);
    char caption[64] = {};
    GetWindowTextA(frmSelectMusic->Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Music Selection");
    const HWND list = frmSelectMusic->lvMusic->Handle();
    const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
    EXPECT_EQ(ListView_GetColumnWidth(list, 0), 160);
    EXPECT_EQ(ListView_GetBkColor(list), RGB(0x33, 0x33, 0x33));
    // Only the drive list and the track list take the focus by tabbing.
    for (SkButton *button : {frmSelectMusic->skbPlay, frmSelectMusic->skbStop,
                             static_cast<SkButton *>(frmSelectMusic->skbOK)})
        EXPECT_FALSE(GetWindowLongPtrA(button->Handle(), GWL_STYLE) & WS_TABSTOP);
    // Every label's text fits its place, and two digits the fixed current
    // track label.
    for (Label *label : {frmSelectMusic->lblTitle, frmSelectMusic->Label1, frmSelectMusic->Label2})
        EXPECT_LE(textWidth(label->Handle(), label->Font(), label->Text().c_str()), label->Width())
            << label->Text();
    Label *track = frmSelectMusic->lblCurTrack;
    EXPECT_LE(textWidth(track->Handle(), track->Font(), "99"), track->Width());
}

TEST_F(FrmSelectMusic, TitleDragsTheDialog)
{
    start();
    openMusic();
    EXPECT_TRUE(dragMovesTheWindow(frmSelectMusic->Handle(), *frmSelectMusic->lblTitle));
}

namespace {

ChoiceList drivePositions()
{
    ChoiceList list;
    for (uint32_t position = 0; position < 4; ++position)
        list.values[position] = position;
    list.count = 4;
    return list;
}

// A hard disk at the primary master, CD drive D at the secondary master and
// a CD drive without letter at the secondary slave.
IDEDevices notebookDrives()
{
    IDEDevices devices;
    devices.Count = 3;
    devices.Kind = {1, IDEDevices::DriveCdrom, 4, 0};
    devices.Letter = {0, 'D', 0, 0};
    devices.Position = {0, 2, 3, IDEDevices::PositionUnknown};
    return devices;
}

} // namespace

TEST(MusicRules, TheStoredDriveIsFoundByItsPosition)
{
    const ChoiceList drives = drivePositions();
    const IDEDevices devices = notebookDrives();
    StoredDrive found = findStoredDrive(drives, &devices, 2);
    EXPECT_EQ(found.kind, StoredDrive::Kind::Device);
    EXPECT_EQ(found.letter, 'D');
    // The hard disk sits there: a device without a letter.
    found = findStoredDrive(drives, &devices, 0);
    EXPECT_EQ(found.kind, StoredDrive::Kind::Device);
    EXPECT_EQ(found.letter, 0);
    EXPECT_EQ(findStoredDrive(drives, &devices, 1).kind, StoredDrive::Kind::NoDevice);
    EXPECT_EQ(findStoredDrive(drives, &devices, 9).kind, StoredDrive::Kind::Unlisted);
    // Without a finished search no device is anywhere.
    EXPECT_EQ(findStoredDrive(drives, nullptr, 2).kind, StoredDrive::Kind::NoDevice);

    EXPECT_EQ(positionOf(&devices, 'D'), 2u);
    EXPECT_EQ(positionOf(&devices, 'E'), 0u);
    EXPECT_EQ(positionOf(&devices, 0), 0u);
    EXPECT_EQ(positionOf(nullptr, 'D'), 0u);
}

TEST(MusicRules, ATableCountBeyondItsSlotsIsNotBelieved)
{
    IDEDevices devices = notebookDrives();
    devices.Count = 1000;
    EXPECT_EQ(usedSlots(&devices), IDEDevices::SlotCount);
    EXPECT_EQ(positionOf(&devices, 'Z'), 0u);
    devices.Count = -5;
    EXPECT_EQ(usedSlots(&devices), 0);
    EXPECT_EQ(findStoredDrive(drivePositions(), &devices, 2).kind, StoredDrive::Kind::NoDevice);
}

TEST(MusicRules, TheStoredTrackPicksItsRowOrTheFirst)
{
    EXPECT_EQ(storedRow(0, 12), 0);
    EXPECT_EQ(storedRow(11, 12), 11);
    EXPECT_EQ(storedRow(12, 12), 0);
    EXPECT_EQ(storedRow(98, 12), 0);
    EXPECT_EQ(storedRow(0xFFFFFFFFu, 12), 0);
    EXPECT_EQ(storedRow(0, 0), 0);
}

TEST(MusicRules, APlayedOnceTrackStopsAtTheNextUnlessItIsTheLast)
{
    EXPECT_EQ(playEnd(PlayTrackOnce, 3, 12), 4);
    EXPECT_EQ(playEnd(PlayTrackOnce, 12, 12), 0);
    EXPECT_EQ(playEnd(PlayTrackOnce, 20, 12), 0);
    EXPECT_EQ(playEnd(PlayToEnd, 3, 12), 0);
    EXPECT_EQ(playEnd(RepeatTrack, 3, 12), 0);
}
