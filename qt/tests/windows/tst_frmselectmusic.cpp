// The music selection dialog: the hand-over from the drive search to the
// panel, the drive and track lists, the stored choice in both directions,
// and the player's three ways of playing a track.

#include "app/binding/program_location.h"
#include "discovery/drive_search.h"
#include "qt/windows/forms.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_vesperin.h"
#include "qt/windows/frm_waiting.h"
#include "audio/audio_cd_info.h"
#include "notebook_state.h"
#include "qt/skin/sk_button_tx.h"
#include "window_test_rig.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <future>
#include <memory>
#include <thread>

using nlohmann::json;

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

QString rowText(int row, int column)
{
    return frmSelectMusic->lvMusic->topLevelItem(row)->text(column);
}

// The user clicks row `row` of the track list.
void chooseRow(int row)
{
    frmSelectMusic->lvMusic->setCurrentItem(frmSelectMusic->lvMusic->topLevelItem(row));
}

int selectedRow()
{
    const QList<QTreeWidgetItem *> rows = frmSelectMusic->lvMusic->selectedItems();
    return rows.size() == 1 ? frmSelectMusic->lvMusic->indexOfTopLevelItem(rows.first()) : -1;
}

} // namespace

class TestFrmSelectMusic : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { WindowTestRig::prepareApplication(); }

    void init() { m_rig = std::make_unique<WindowTestRig>(); }

    void cleanup()
    {
        m_rig.reset();
        DriveSearch::install(nullptr);
    }

    void panelWaitsForTheDriveSearchOffTheWindowThread()
    {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::promise<std::thread::id> searcher;
        const DriveSearch::Discovery held = [&](IDEDevices &devices) {
            searcher.set_value(std::this_thread::get_id());
            released.wait();
            return devices.Discover();
        };
        DriveSearch::install(&held);

        QVERIFY(createForms(ProgramLocation::libraryPath()));
        QCOMPARE(searcher.get_future().get() == std::this_thread::get_id(), false);
        // Several polls go by while the search runs: the waiting window
        // stays alone and the drive list untouched.
        int polls = 0;
        connect(frmSelectMusic->tmrWaiting, &QTimer::timeout, this, [&polls] { ++polls; });
        QTRY_VERIFY_WITH_TIMEOUT(polls >= 3, 5000);
        QVERIFY(frmWaiting->isVisible());
        QVERIFY(!frmVesperin->isVisible());
        QCOMPARE(frmSelectMusic->cbxCDROM->count(), 0);
        QVERIFY(frmSelectMusic->tmrWaiting->isActive());

        release.set_value();
        QTRY_VERIFY(frmVesperin->isVisible());
        QVERIFY(!frmWaiting->isVisible());
        QVERIFY(!frmSelectMusic->tmrWaiting->isActive());
        QCOMPARE(frmSelectMusic->cbxCDROM->currentText(), QStringLiteral("D"));
        QCOMPARE(frmVesperin->lblCurDrive->text(), QStringLiteral("D"));
        QCOMPARE(frmVesperin->lblCurTrack->text(), QStringLiteral("1"));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void listsTheTracksOfTheDiscWithTheirLengths()
    {
        m_rig->start();
        QCOMPARE(frmSelectMusic->cbxCDROM->count(), 1);
        QCOMPARE(frmSelectMusic->cbxCDROM->currentText(), QStringLiteral("D"));
        QCOMPARE(frmSelectMusic->lvMusic->topLevelItemCount(), 12);
        QCOMPARE(rowText(0, 0), QStringLiteral("Track1"));
        QCOMPARE(rowText(0, 1), QStringLiteral("03:05"));
        QCOMPARE(rowText(2, 1), QStringLiteral("01:38")); // 97.5 s rounds up
        QCOMPARE(rowText(11, 0), QStringLiteral("Track12"));
        QCOMPARE(rowText(11, 1), QStringLiteral("04:10"));
        QCOMPARE(selectedRow(), 0);
        QCOMPARE(frmSelectMusic->lblCurTrack->text(), QStringLiteral("1"));

        // Choosing a row makes it the current track.
        chooseRow(6);
        QCOMPARE(frmSelectMusic->lblCurTrack->text(), QStringLiteral("7"));
    }

    void selectsTheStoredTrack_data()
    {
        QTest::addColumn<uint>("stored");
        QTest::addColumn<int>("row");
        QTest::newRow("first") << 0u << 0;
        QTest::newRow("last of twelve") << 11u << 11;
        QTest::newRow("one past the disc") << 12u << 0;
        QTest::newRow("far past the disc") << 98u << 0;
        QTest::newRow("largest value") << 0xFFFFFFFFu << 0;
    }

    void selectsTheStoredTrack()
    {
        QFETCH(uint, stored);
        QFETCH(int, row);
        m_rig->image.setItem(ItemTrack, stored);
        m_rig->start();
        QCOMPARE(selectedRow(), row);
        QCOMPARE(frmSelectMusic->lblCurTrack->text(), QString::number(row + 1));
        QCOMPARE(frmVesperin->lblCurTrack->text(), QString::number(row + 1));
    }

    void anotherDriveRefillsTheTrackList()
    {
        m_rig->image.image["hardware"]["ide"].push_back(cdrom(1, 1, "E", {60000, 120000, 30000}));
        m_rig->image.write();
        m_rig->start();
        QCOMPARE(frmSelectMusic->cbxCDROM->count(), 2);
        QCOMPARE(frmSelectMusic->cbxCDROM->currentText(), QStringLiteral("D"));
        chooseRow(9);

        chooseDrive(1);
        QCOMPARE(frmSelectMusic->lvMusic->topLevelItemCount(), 3);
        QCOMPARE(rowText(1, 1), QStringLiteral("02:00"));
        QCOMPARE(selectedRow(), 0);
        QCOMPARE(frmSelectMusic->lblCurTrack->text(), QStringLiteral("1"));

        // The player follows the drive: Play plays the disc in E.
        chooseRow(2);
        frmSelectMusic->skbPlayClick();
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "E"}, {"from", 3}, {"to", 0}}));

        // OK stores the drive's IDE position and the track from 0.
        frmSelectMusic->skbOKClick();
        QVERIFY(!NotebookState::playing(m_rig->image));
        QCOMPARE(m_rig->image.item(ItemDrive), 3u);
        QCOMPARE(m_rig->image.item(ItemTrack), 2u);
        QCOMPARE(frmVesperin->lblCurDrive->text(), QStringLiteral("E"));
        QCOMPARE(frmVesperin->lblCurTrack->text(), QStringLiteral("3"));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void withoutAnyCdDriveNothingIsChosenAndNothingWritten()
    {
        m_rig->image.image["hardware"]["ide"].erase(1);
        m_rig->image.write();
        m_rig->start();
        expectNoMatchedDevice();
        QCOMPARE(frmSelectMusic->cbxCDROM->count(), 0);
        QCOMPARE(frmSelectMusic->lvMusic->topLevelItemCount(), 0);
        QVERIFY(frmSelectMusic->lblCurTrack->text().isEmpty());
        QVERIFY(frmVesperin->lblCurDrive->text().isEmpty());
        QVERIFY(frmVesperin->lblCurTrack->text().isEmpty());

        QVERIFY(!frmSelectMusic->PlaySelection(0, TfrmSelectMusic::PlayToEnd));
        frmSelectMusic->skbOKClick();
        QCOMPARE(m_rig->boxes.texts(),
                 QStringList({"Select a music first.", "No music selected !"}));
        for (const RecordingMessageBoxes::Box &box : m_rig->boxes.boxes) {
            QCOMPARE(box.icon, MessageBoxes::Icon::Warning);
            QCOMPARE(box.caption, QStringLiteral("Vesperin"));
            QCOMPARE(box.owner, QStringLiteral("frmSelectMusic"));
        }
        // The firmware keeps the choice it had.
        QVERIFY(!frmSelectMusic->isVisible());
        QCOMPARE(m_rig->image.item(ItemDrive), 2u);
        QCOMPARE(m_rig->image.item(ItemTrack), 0u);
        QVERIFY(!NotebookState::playing(m_rig->image));
    }

    void storedPositionWithoutADeviceIsReportedAtEveryShow()
    {
        // Primary slave: no device sits there.
        m_rig->image.setItem(ItemDrive, 1);
        m_rig->start();
        expectNoMatchedDevice();
        QCOMPARE(frmSelectMusic->cbxCDROM->currentIndex(), -1);
        QCOMPARE(frmSelectMusic->lvMusic->topLevelItemCount(), 0);

        for (int show = 0; show < 2; ++show) {
            frmVesperin->SkButton4Click();
            QVERIFY(frmSelectMusic->isVisible());
            expectNoMatchedDevice();
            frmVesperin->SkButton4Click();
            QVERIFY(!frmSelectMusic->isVisible());
        }
        // The user picks the drive that is there; its tracks fill the list.
        frmVesperin->SkButton4Click();
        m_rig->boxes.boxes.clear();
        chooseDrive(0);
        QCOMPARE(frmSelectMusic->lvMusic->topLevelItemCount(), 12);
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void storedPositionOfADeviceWithoutLetterChoosesNoDrive()
    {
        // Primary master: the hard disk, a device without a drive letter.
        m_rig->image.setItem(ItemDrive, 0);
        m_rig->start();
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(frmSelectMusic->cbxCDROM->count(), 1);
        QCOMPARE(frmSelectMusic->cbxCDROM->currentIndex(), -1);
        QVERIFY(frmSelectMusic->lblCurTrack->text().isEmpty());
    }

    void playsATrackInEachMode()
    {
        m_rig->start();
        QVERIFY(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::PlayTrackOnce));
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 3}, {"to", 4}}));
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());

        QVERIFY(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::PlayToEnd));
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 3}, {"to", 0}}));

        // Repeating one track restarts it whenever its length has passed.
        QVERIFY(frmSelectMusic->PlaySelection(3, TfrmSelectMusic::RepeatTrack));
        QVERIFY(frmSelectMusic->tmrOneTrack->isActive());
        QCOMPARE(frmSelectMusic->tmrOneTrack->interval(), 97500);
        QVERIFY(frmSelectMusic->PlaySelection(1, TfrmSelectMusic::RepeatTrack));
        QCOMPARE(frmSelectMusic->tmrOneTrack->interval(), 185000); // 3 min 5 s
        frmSelectMusic->skbStopClick();
        QVERIFY(!NotebookState::playing(m_rig->image));
        frmSelectMusic->tmrOneTrackTimer();
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 1}, {"to", 0}}));
        QVERIFY(frmSelectMusic->tmrOneTrack->isActive());

        // Play plays the current track to the end of the disc; Stop ends
        // the repeat too.
        chooseRow(4);
        frmSelectMusic->skbPlayClick();
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 5}, {"to", 0}}));
        frmSelectMusic->skbStopClick();
        QVERIFY(!NotebookState::playing(m_rig->image));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void theLastTrackPlayedOncePlaysToTheEnd()
    {
        m_rig->start();
        QVERIFY(frmSelectMusic->PlaySelection(12, TfrmSelectMusic::PlayTrackOnce));
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 12}, {"to", 0}}));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void tracksOutsideTheDiscOrWithoutLengthNeverRepeat()
    {
        m_rig->image.image["hardware"]["ide"][1]["disc"]["tracks_ms"] = {0, 60000};
        m_rig->image.write();
        m_rig->start();
        QVERIFY(frmSelectMusic->PlaySelection(1, TfrmSelectMusic::RepeatTrack));
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());

        // The player reports the track the disc does not have.
        QVERIFY(!frmSelectMusic->PlaySelection(7, TfrmSelectMusic::RepeatTrack));
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());
        QCOMPARE(m_rig->boxes.boxes.size(), size_t(1));
        QCOMPARE(m_rig->boxes.boxes.front().icon, MessageBoxes::Icon::Error);
        QCOMPARE(m_rig->boxes.boxes.front().owner, QStringLiteral("frmSelectMusic"));
    }

    void aRefusedRestartEndsTheRepeat()
    {
        m_rig->start();
        QVERIFY(frmSelectMusic->PlaySelection(2, TfrmSelectMusic::RepeatTrack));
        // The disc goes: the restart fails once and is not tried again.
        m_rig->image.image["hardware"]["ide"][1]["disc"] = nullptr;
        m_rig->image.write();
        frmSelectMusic->tmrOneTrackTimer();
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());
    }

    void okWritesTheOptionsBackAsTheFirmwareHoldsThem()
    {
        m_rig->start();
        // Another program changed the options since the dialogs loaded them.
        m_rig->image.setItem(ItemRepeat, 2);
        m_rig->image.setItem(ItemDuration, 3);
        m_rig->image.setItem(ItemVolume, 5);
        QSignalSpy stored(frmSelectMusic, &SettingDialog::stored);
        frmVesperin->SkButton4Click();
        chooseRow(6);
        frmSelectMusic->skbOKClick();

        QCOMPARE(stored.count(), 1);
        QVERIFY(!frmSelectMusic->isVisible());
        QCOMPARE(m_rig->image.item(ItemTrack), 6u);
        QCOMPARE(m_rig->image.item(ItemDrive), 2u);
        QCOMPARE(m_rig->image.item(ItemRepeat), 2u);
        QCOMPARE(m_rig->image.item(ItemDuration), 3u);
        QCOMPARE(m_rig->image.item(ItemVolume), 5u);
        QCOMPARE(frmVesperin->lblCurTrack->text(), QStringLiteral("7"));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void aFailedWriteLeavesThePanelAsItWas_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<int>("item");
        // The options cannot be read, so they cannot be written back.
        QTest::newRow("repeat mode unreadable") << "GITM" << ItemRepeat;
        QTest::newRow("volume unreadable") << "GITM" << ItemVolume;
        // The library reports the write done; the firmware kept the old track.
        QTest::newRow("track refused") << "SITM" << ItemTrack;
    }

    void aFailedWriteLeavesThePanelAsItWas()
    {
        QFETCH(QString, method);
        QFETCH(int, item);
        m_rig->start();
        frmVesperin->SkButton4Click();
        chooseRow(4);
        m_rig->image.refuse(method.toLatin1().constData(), item);
        QSignalSpy stored(frmSelectMusic, &SettingDialog::stored);
        frmSelectMusic->skbOKClick();

        QCOMPARE(stored.count(), 0);
        QCOMPARE(m_rig->boxes.texts(), QStringList{"Setting music failed, please retry again..."});
        QCOMPARE(m_rig->boxes.boxes.front().icon, MessageBoxes::Icon::Error);
        QCOMPARE(m_rig->image.item(ItemTrack), 0u);
        QCOMPARE(m_rig->image.item(ItemRepeat), 1u);
        QCOMPARE(frmVesperin->lblCurTrack->text(), QStringLiteral("1"));
        QVERIFY(!frmSelectMusic->isVisible());
    }

    void cancelAndCloseStopThePlaybackAndWriteNothing()
    {
        m_rig->start();
        for (const bool useClose : {false, true}) {
            frmVesperin->SkButton4Click();
            chooseRow(8);
            QVERIFY(frmSelectMusic->PlaySelection(0, TfrmSelectMusic::RepeatTrack));
            if (useClose)
                frmSelectMusic->skbCloseClick();
            else
                frmSelectMusic->skbCancelClick();
            QVERIFY(!frmSelectMusic->isVisible());
            QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());
            QVERIFY(!NotebookState::playing(m_rig->image));
            QCOMPARE(m_rig->image.item(ItemTrack), 0u);
        }
        // Showing again discards the unconfirmed row.
        frmVesperin->SkButton4Click();
        QCOMPARE(frmSelectMusic->lblCurTrack->text(), QStringLiteral("1"));
    }

    void everyTextFitsItsPlace()
    {
        m_rig->start();
        for (QLabel *label : frmSelectMusic->findChildren<QLabel *>()) {
            if (label != frmSelectMusic->lblCurTrack)
                QVERIFY2(label->sizeHint().width() <= label->width(),
                         qPrintable(label->objectName()));
        }
        // Two digits fit the fixed current track label.
        const QFontMetrics metrics = frmSelectMusic->lblCurTrack->fontMetrics();
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("99")) <=
                frmSelectMusic->lblCurTrack->width());
    }

private:
    // The user picks drive `index` from the drive list.
    void chooseDrive(int index)
    {
        frmSelectMusic->cbxCDROM->setCurrentIndex(index);
        emit frmSelectMusic->cbxCDROM->activated(index);
    }

    void expectNoMatchedDevice()
    {
        QCOMPARE(m_rig->boxes.boxes.size(), size_t(1));
        const RecordingMessageBoxes::Box box = m_rig->boxes.boxes.front();
        m_rig->boxes.boxes.clear();
        QCOMPARE(box.text, QStringLiteral("No matched device found..."));
        QCOMPARE(box.caption, QStringLiteral("Music Selection"));
        QCOMPARE(box.icon, MessageBoxes::Icon::Error);
        QCOMPARE(box.owner, QStringLiteral("frmSelectMusic"));
    }

    std::unique_ptr<WindowTestRig> m_rig;
};

QTEST_MAIN(TestFrmSelectMusic)
#include "tst_frmselectmusic.moc"
