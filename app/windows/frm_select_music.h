#pragma once

#include "app/windows/label.h"
#include "app/windows/music_dialog.h"
#include "app/windows/music_rules.h"
#include "skin/gdi_handle.h"

#include <cstdint>
#include <memory>
#include <string>

class AcpiBridge;
class AlarmModel;
class AudioCDInfo;
class ComboBox;
class DriveSearch;
class IDEDevices;
class ListView;
class ShapedForm;
class SkButton;
class SkButtonTx;
class SkPicture;
class Timer;

// The dialog in which the user chooses the music the alarm plays: a CD drive
// and a track of the disc in it. At program start it searches the drives on
// a worker thread while the waiting window shows, then hands the panel over.
// It owns the CD player, through which the options dialog's test plays too.
// It loads the drive and the track from the alarm model when shown, its
// controls hold what the user chooses, and OK writes it through the model.
class TfrmSelectMusic : public MusicDialog
{
public:
    using PlayMode = MusicRules::PlayMode;
    static constexpr int PlayTrackOnce = MusicRules::PlayTrackOnce;
    static constexpr int RepeatTrack = MusicRules::RepeatTrack;
    static constexpr int PlayToEnd = MusicRules::PlayToEnd;

    // Builds the dialog, owned by `owner`, and starts the drive search.
    TfrmSelectMusic(AlarmModel &alarm, HWND owner);
    ~TfrmSelectMusic() override;

    std::string driveShown(uint32_t storedDrive) const override;
    std::string trackShown(uint32_t storedTrack) const override;
    // The drive chosen in the drive list; empty when none is.
    std::string selectedDrive() const;
    void clickClose() override;

    // Polls the drive search; at its end fills the drive list, loads the
    // stored choice and hands over to the panel.
    void tmrWaitingTimer();
    // Selects the stored drive and track.
    void LoadMusicChoice();
    // Reopens the player on the chosen drive and lists the disc's tracks;
    // false when there are none.
    bool FillTrackList();
    void cbxCDROMChange();
    void lvMusicChange();
    // Plays `track` (0: the current track) in `mode`; false when nothing plays.
    bool PlaySelection(int32_t track, int mode);
    void skbPlayClick();
    void skbStopClick();
    void tmrOneTrackTimer();
    // Writes the chosen drive and track and checks that the firmware took them.
    bool WriteMusicChoice();
    void skbOKClick();
    void skbCancelClick();
    void skbCloseClick();

    // The drive table of the search; null until the search has ended.
    const IDEDevices *devices() const { return m_devices.get(); }
    // The player of the chosen drive; null until the track list was first filled.
    AudioCDInfo *player() const { return m_player.get(); }

    SkPicture *imgBg = nullptr;
    Label *lblTitle = nullptr;
    SkButton *skbClose = nullptr;
    Label *Label1 = nullptr;
    ComboBox *cbxCDROM = nullptr;
    Label *Label2 = nullptr;
    Label *lblCurTrack = nullptr;
    SkButton *skbPlay = nullptr;
    SkButton *skbStop = nullptr;
    ListView *lvMusic = nullptr;
    SkButtonTx *skbOK = nullptr;
    SkButtonTx *skbCancel = nullptr;
    std::unique_ptr<Timer> tmrOneTrack;
    std::unique_ptr<Timer> tmrWaiting;

protected:
    void FormShow() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void buildControls();
    void selectStoredDrive(uint32_t storedDrive);
    void closePlayer();
    void takeSearchResults();

    AlarmModel &m_alarm;
    AcpiBridge &m_bridge;
    BrushHandle m_backdropBrush;
    Backdrop m_backdrop{};
    std::unique_ptr<ShapedForm> m_shapedForm;
    std::unique_ptr<DriveSearch> m_search;
    std::unique_ptr<IDEDevices> m_devices;
    std::unique_ptr<AudioCDInfo> m_player;
    // The track that tmrOneTrack plays again, from 1.
    int32_t m_oneTrack = 0;
};
