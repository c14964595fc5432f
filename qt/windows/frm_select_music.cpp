#include "qt/windows/frm_select_music.h"

#include "app/binding/acpi_bridge.h"
#include "qt/windows/audio_box.h"
#include "qt/windows/dialog_look.h"
#include "qt/windows/layout_artwork.h"
#include "qt/windows/message_boxes.h"
#include "qt/windows/play_status_store.h"
#include "qt/windows/window_fonts.h"
#include "audio/audio_cd_info.h"
#include "discovery/drive_search.h"
#include "discovery/ide_devices.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace {

const QString Form = QStringLiteral("frmSelectMusic");
const QString Caption = QStringLiteral("Music Selection");
// The layout's transparent colours of the buttons (red in the lowest byte).
constexpr uint32_t TitleKey = 0x474748;
constexpr uint32_t BodyKey = 0x3B3B3B;

constexpr int WaitingPollMs = 500;
constexpr int TitleColumnWidth = 160;

// The drive table's slots that the discovery filled, never more than it has.
int32_t usedSlots(const IDEDevices *devices)
{
    return devices ? std::clamp(devices->Count, 0, IDEDevices::SlotCount) : 0;
}

} // namespace

TfrmSelectMusic::TfrmSelectMusic(AcpiBridge &bridge, QWidget *parent)
    : MusicDialog(parent, Qt::Window | Qt::FramelessWindowHint), imgBg(new SkPicture(this)),
      m_bridge(bridge), shapedForm(this, imgBg)
{
    setObjectName(Form);
    setWindowTitle(Caption);
    setFixedSize(276, 340);
    buildControls();
    shapedForm.Apply();

    tmrWaiting->start();
    m_search = std::make_unique<DriveSearch>();
}

TfrmSelectMusic::~TfrmSelectMusic()
{
    // The search may still run when the program ends early; letting it go
    // never waits, and its worker keeps what it writes alive by itself.
    m_search.reset();
    closePlayer();
}

void TfrmSelectMusic::buildControls()
{
    setFont(WindowFonts::dialogText());
    DialogLook::setTextColour(this, DialogLook::Silver);

    imgBg->setObjectName(QStringLiteral("imgBg"));
    LayoutArtwork::fillPicture(imgBg, Form);
    imgBg->move(-4, -5);

    lblTitle = DialogLook::addTitle(this, Caption, 44, 9);
    // The title drags the window like the background picture around it.
    dragByTitle(lblTitle, imgBg);

    skbClose = LayoutArtwork::addButton(this, Form, "skbClose", 233, 20, TitleKey);
    connect(skbClose, &SkButton::clicked, this, &TfrmSelectMusic::skbCloseClick);

    Label1 = DialogLook::addLabel(this, "Label1", QStringLiteral("Select CD-ROM:"), 59, 56);
    cbxCDROM = DialogLook::addComboBox(this, "cbxCDROM", 148, 51, 98);
    // Only a choice of the user's refills the track list.
    connect(cbxCDROM, &QComboBox::activated, this, &TfrmSelectMusic::cbxCDROMChange);

    Label2 = DialogLook::addLabel(this, "Label2", QStringLiteral("Current Track:"), 69, 80);
    lblCurTrack = DialogLook::addLabel(this, "lblCurTrack", QString(), 143, 81);
    // Wide enough for two digits in the font that stands in for the
    // layout's, which may be a pixel wider than the original.
    const int twoDigits = lblCurTrack->fontMetrics().horizontalAdvance(QStringLiteral("99"));
    lblCurTrack->setFixedSize(std::max(12, twoDigits), 13);

    skbPlay = LayoutArtwork::addButton(this, Form, "skbPlay", 176, 77, BodyKey);
    connect(skbPlay, &SkButton::clicked, this, &TfrmSelectMusic::skbPlayClick);
    skbStop = LayoutArtwork::addButton(this, Form, "skbStop", 210, 77, BodyKey);
    connect(skbStop, &SkButton::clicked, this, &TfrmSelectMusic::skbStopClick);

    lvMusic = new QTreeWidget(this);
    lvMusic->setObjectName(QStringLiteral("lvMusic"));
    lvMusic->setGeometry(32, 106, 212, 169);
    lvMusic->setColumnCount(2);
    lvMusic->setHeaderHidden(true);
    lvMusic->setColumnWidth(0, TitleColumnWidth);
    lvMusic->setRootIsDecorated(false);
    lvMusic->setFrameShape(QFrame::NoFrame);
    lvMusic->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvMusic->setSelectionMode(QAbstractItemView::SingleSelection);
    lvMusic->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvMusic->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DialogLook::setFieldColours(lvMusic);
    connect(lvMusic, &QTreeWidget::itemSelectionChanged, this, &TfrmSelectMusic::lvMusicChange);

    skbOK = DialogLook::addTextButton(this, Form, BodyKey, "skbOK", QStringLiteral("OK"), 27, 285);
    connect(skbOK, &SkButton::clicked, this, &TfrmSelectMusic::skbOKClick);
    skbCancel = DialogLook::addTextButton(this, Form, BodyKey, "skbCancel",
                                          QStringLiteral("Cancel"), 145, 285);
    connect(skbCancel, &SkButton::clicked, this, &TfrmSelectMusic::skbCancelClick);

    tmrOneTrack = new QTimer(this);
    tmrOneTrack->setObjectName(QStringLiteral("tmrOneTrack"));
    connect(tmrOneTrack, &QTimer::timeout, this, &TfrmSelectMusic::tmrOneTrackTimer);
    tmrWaiting = new QTimer(this);
    tmrWaiting->setObjectName(QStringLiteral("tmrWaiting"));
    tmrWaiting->setInterval(WaitingPollMs);
    connect(tmrWaiting, &QTimer::timeout, this, &TfrmSelectMusic::tmrWaitingTimer);

    // Only the drive list and the track list take the focus.
    for (QWidget *button : {static_cast<QWidget *>(skbClose), static_cast<QWidget *>(skbPlay),
                            static_cast<QWidget *>(skbStop), static_cast<QWidget *>(skbOK),
                            static_cast<QWidget *>(skbCancel)})
        button->setFocusPolicy(Qt::NoFocus);
    setTabOrder(cbxCDROM, lvMusic);
}

QString TfrmSelectMusic::selectedDrive() const
{
    return cbxCDROM->currentIndex() >= 0 ? cbxCDROM->currentText() : QString();
}

QString TfrmSelectMusic::currentTrack() const
{
    return lblCurTrack->text();
}

void TfrmSelectMusic::clickClose()
{
    skbCloseClick();
}

void TfrmSelectMusic::showEvent(QShowEvent *event)
{
    // A window restored by the system keeps what the user was choosing;
    // a show by the program reloads the firmware's choice.
    if (!event->spontaneous())
        LoadMusicChoice();
    MusicDialog::showEvent(event);
}

void TfrmSelectMusic::tmrWaitingTimer()
{
    tmrWaiting->stop();
    if (!m_search || m_search->running()) {
        tmrWaiting->start();
        return;
    }
    // The worker has ended: its table and letters belong to this thread now.
    m_devices = m_search->takeDevices();
    cbxCDROM->clear();
    for (const char letter : m_search->letters())
        cbxCDROM->addItem(QString(QLatin1Char(letter)));
    // As after the search, no drive is chosen until the stored choice says which.
    cbxCDROM->setCurrentIndex(-1);
    m_search.reset();

    LoadMusicChoice();
    emit driveSearchEnded();
}

void TfrmSelectMusic::LoadMusicChoice()
{
    // Fields the firmware does not give read as zero.
    PlayStatus status{};
    m_bridge.GetPlayStatus(&status);
    selectStoredDrive(status.drive);

    if (!FillTrackList())
        return;
    // The firmware counts tracks from 0; a track beyond the disc falls back
    // to the first.
    const uint64_t track = uint64_t(status.track) + 1;
    const int rows = lvMusic->topLevelItemCount();
    const int row = track <= uint64_t(rows) ? int(track) - 1 : 0;
    lvMusic->clearSelection();
    lvMusic->topLevelItem(row)->setSelected(true);
    lvMusic->setCurrentItem(lvMusic->topLevelItem(row));
    lblCurTrack->setText(QString::number(row + 1));
}

void TfrmSelectMusic::selectStoredDrive(uint32_t storedDrive)
{
    const ChoiceList &drives = m_bridge.driveList;
    const uint32_t entries = std::min(drives.count, ChoiceList::MaxEntries);
    uint32_t entry = 0;
    while (entry < entries && drives.values[entry] != storedDrive)
        ++entry;
    // A drive value the firmware does not list leaves the choice alone.
    if (entry == entries)
        return;

    const int32_t filledSlots = usedSlots(m_devices.get());
    for (int32_t slot = 0; slot < filledSlots; ++slot) {
        if (m_devices->Position[size_t(slot)] != int32_t(entry))
            continue;
        const char letter = m_devices->Letter[size_t(slot)];
        // A device there without a drive letter leaves no drive chosen.
        cbxCDROM->setCurrentIndex(letter != 0 ? cbxCDROM->findText(QString(QLatin1Char(letter)))
                                              : -1);
        return;
    }
    MessageBoxes::current().show(this, Caption, QStringLiteral("No matched device found..."),
                                 MessageBoxes::Icon::Error);
}

bool TfrmSelectMusic::FillTrackList()
{
    lvMusic->clear();
    closePlayer();

    const QString drive = selectedDrive();
    m_player = std::make_unique<AudioCDInfo>(drive.toStdString(), 1);
    m_player->setErrorBox(AudioBox::over(this));
    m_player->setErrorCaption(QCoreApplication::applicationName().toStdString());
    m_player->ReadTrackList();

    const size_t tracks =
        std::min(size_t(std::max(m_player->TrackCount, 0)), m_player->TrackLengths.size());
    for (size_t track = 1; track <= tracks; ++track) {
        auto *row = new QTreeWidgetItem(lvMusic);
        row->setText(0, QStringLiteral("Track") + QString::number(track));
        row->setText(1,
                     QString::fromStdString(FormatTrackLength(m_player->TrackLengths[track - 1])));
    }
    if (tracks == 0) {
        lblCurTrack->clear();
        return false;
    }
    lvMusic->clearSelection();
    lvMusic->topLevelItem(0)->setSelected(true);
    lvMusic->setCurrentItem(lvMusic->topLevelItem(0));
    lblCurTrack->setText(QStringLiteral("1"));
    return true;
}

void TfrmSelectMusic::closePlayer()
{
    // The device alias is the same for every player: the old one closes
    // before the next opens.
    tmrOneTrack->stop();
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
    const QList<QTreeWidgetItem *> selected = lvMusic->selectedItems();
    if (!selected.isEmpty())
        lblCurTrack->setText(QString::number(lvMusic->indexOfTopLevelItem(selected.first()) + 1));
}

bool TfrmSelectMusic::PlaySelection(int32_t track, int mode)
{
    if (track == 0) {
        if (lblCurTrack->text().isEmpty()) {
            MessageBoxes::tell(this, QStringLiteral("Select a music first."),
                               MessageBoxes::Icon::Warning);
            return false;
        }
        track = lblCurTrack->text().toInt();
    }
    if (!m_player)
        return false;

    const int32_t tracks = std::min(m_player->TrackCount, int32_t(m_player->TrackLengths.size()));
    switch (mode) {
    case RepeatTrack: {
        m_oneTrack = track;
        const uint32_t length =
            track >= 1 && track <= tracks ? m_player->TrackLengths[size_t(track - 1)] : 0;
        if (!m_player->PlayTracks(track, 0))
            return false;
        // A track without length has nothing to repeat: a timer of no
        // interval would restart it without pause.
        if (length > 0) {
            tmrOneTrack->setInterval(int(std::min<uint32_t>(length, INT_MAX)));
            tmrOneTrack->start();
        }
        return true;
    }
    case PlayTrackOnce:
        // The last track has no next track to stop at: it plays to the end.
        return m_player->PlayTracks(track, track >= 1 && track < tracks ? track + 1 : 0);
    default:
        return m_player->PlayTracks(track, 0);
    }
}

void TfrmSelectMusic::skbPlayClick()
{
    tmrOneTrack->stop();
    PlaySelection(0, PlayToEnd);
}

void TfrmSelectMusic::skbStopClick()
{
    tmrOneTrack->stop();
    if (m_player)
        m_player->StopPlaying();
}

void TfrmSelectMusic::tmrOneTrackTimer()
{
    // Stopped while the track restarts, so that a refused restart shows its
    // box once instead of again at every interval.
    tmrOneTrack->stop();
    if (PlaySelection(m_oneTrack, PlayToEnd))
        tmrOneTrack->start();
}

bool TfrmSelectMusic::WriteMusicChoice()
{
    PlayStatus status{};
    status.track = lblCurTrack->text().isEmpty() ? 1 : uint32_t(lblCurTrack->text().toInt() - 1);
    const QString drive = selectedDrive();
    if (!drive.isEmpty()) {
        const char letter = drive.at(0).toLatin1();
        const int32_t filledSlots = usedSlots(m_devices.get());
        for (int32_t slot = 0; slot < filledSlots; ++slot) {
            if (m_devices->Letter[size_t(slot)] == letter) {
                status.drive = uint32_t(m_devices->Position[size_t(slot)]);
                break;
            }
        }
    }

    // The repeat mode, the duration and the volume belong to the options
    // dialog: they go back as the firmware holds them, or not at all.
    PlayStatus held{};
    PlayStatusStore store(m_bridge);
    if (!store.readAll(held))
        return false;
    status.repeatMode = held.repeatMode;
    status.duration = held.duration;
    status.volume = held.volume;
    return store.write(status);
}

void TfrmSelectMusic::skbOKClick()
{
    // Without a track there is no choice to store; the firmware keeps the
    // one it holds.
    const bool noTrack = lblCurTrack->text().isEmpty();
    if (noTrack)
        MessageBoxes::tell(this, QStringLiteral("No music selected !"),
                           MessageBoxes::Icon::Warning);
    hide();
    skbStopClick();
    if (noTrack)
        return;
    if (WriteMusicChoice())
        emit stored();
    else
        MessageBoxes::tell(this, QStringLiteral("Setting music failed, please retry again..."),
                           MessageBoxes::Icon::Error);
}

void TfrmSelectMusic::skbCancelClick()
{
    hide();
    skbStopClick();
}

void TfrmSelectMusic::skbCloseClick()
{
    skbCancelClick();
}
