#pragma once

#include "qt/windows/music_dialog.h"
#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_picture.h"

#include <cstdint>
#include <memory>

class AcpiBridge;
class AudioCDInfo;
class DriveSearch;
class IDEDevices;
class QComboBox;
class QLabel;
class QTimer;
class QTreeWidget;
class SkButton;
class SkButtonTx;

// The dialog in which the user chooses the music the alarm plays: a CD drive
// and a track of the disc in it. At program start it searches the drives on
// a worker thread while the waiting window shows, then hands the panel over.
// It owns the CD player, through which the options dialog's test plays too.
// Its controls are the application's copy of the music choice: the panel
// shows the chosen drive and the current track.
class TfrmSelectMusic : public MusicDialog
{
    Q_OBJECT

public:
    // The ways PlaySelection plays a track.
    enum PlayMode : int
    {
        PlayTrackOnce = 0,
        RepeatTrack = 1,
        PlayToEnd = 2,
    };

    // Builds the dialog and starts the drive search.
    explicit TfrmSelectMusic(AcpiBridge &bridge, QWidget *parent = nullptr);
    ~TfrmSelectMusic() override;

    QString selectedDrive() const override;
    QString currentTrack() const override;
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

    SkPicture *imgBg;
    QLabel *lblTitle;
    SkButton *skbClose;
    QLabel *Label1;
    QComboBox *cbxCDROM;
    QLabel *Label2;
    QLabel *lblCurTrack;
    SkButton *skbPlay;
    SkButton *skbStop;
    QTreeWidget *lvMusic;
    SkButtonTx *skbOK;
    SkButtonTx *skbCancel;
    QTimer *tmrOneTrack;
    QTimer *tmrWaiting;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void selectStoredDrive(uint32_t storedDrive);
    void closePlayer();

    AcpiBridge &m_bridge;
    ShapedForm shapedForm;
    std::unique_ptr<DriveSearch> m_search;
    std::unique_ptr<IDEDevices> m_devices;
    std::unique_ptr<AudioCDInfo> m_player;
    // The track that tmrOneTrack plays again, from 1.
    int32_t m_oneTrack = 0;
};
