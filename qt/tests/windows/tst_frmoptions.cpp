// The options dialog: the firmware's choices, the volume field with its
// arrows and the mixer, the timed test through the music dialog's player,
// and OK's write of the play status.

#include "qt/windows/forms.h"
#include "qt/windows/frm_options.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_vesperin.h"
#include "manual_clock.h"
#include "notebook_state.h"
#include "qt/skin/sk_button_tx.h"
#include "window_test_rig.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using nlohmann::json;

namespace {

constexpr int ItemDrive = 11;
constexpr int ItemTrack = 12;
constexpr int ItemRepeat = 13;
constexpr int ItemDuration = 14;
constexpr int ItemVolume = 15;

// The user clicks row `row` of the track list.
void chooseRow(int row)
{
    frmSelectMusic->lvMusic->setCurrentItem(frmSelectMusic->lvMusic->topLevelItem(row));
}

} // namespace

class TestFrmOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { WindowTestRig::prepareApplication(); }

    void init() { m_rig = std::make_unique<WindowTestRig>(); }

    void cleanup() { m_rig.reset(); }

    void showsTheFirmwaresChoices()
    {
        m_rig->start();
        QCOMPARE(items(frmOptions->cbxMode), QStringList({"None", "Single", "All"}));
        QCOMPARE(items(frmOptions->cbxDuration),
                 QStringList({"10 mins", "20 mins", "30 mins", "1 hour"}));
        QCOMPARE(frmOptions->cbxMode->currentText(), QStringLiteral("Single"));
        QCOMPARE(frmOptions->cbxDuration->currentText(), QStringLiteral("10 mins"));
        // Volume value 8 is the ninth of the range.
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("9"));
        QCOMPARE(frmOptions->MaxVolume, 16);
        QCOMPARE(frmOptions->MixerStep, 4369);
        QCOMPARE(frmVesperin->lblRepeat->text(), QStringLiteral("Single"));
        QCOMPARE(frmVesperin->lblLength->text(), QStringLiteral("10 mins"));
        QCOMPARE(frmVesperin->lblVolume->text(), QStringLiteral("9"));
    }

    void valuesTheFirmwareDoesNotOfferLeaveTheControlsAlone()
    {
        m_rig->image.setItem(ItemRepeat, 2);
        m_rig->start();
        frmOptions->edtVolume->setText(QStringLiteral("4"));
        // The volume item takes any value in the image; 100 is not in the range.
        m_rig->image.setItem(ItemVolume, 100);
        m_rig->image.setItem(ItemRepeat, 7);
        frmVesperin->SkButton3Click();
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("4"));
        QCOMPARE(frmOptions->cbxMode->currentText(), QStringLiteral("All"));
    }

    void volumeArrowsStepWithinTheRangeAndSetTheMixer()
    {
        m_rig->start();
        frmOptions->edtVolume->setText(QStringLiteral("7"));
        QTest::mouseClick(frmOptions->skbArrowUpMin, Qt::LeftButton);
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("8"));
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), 34952u);

        frmOptions->edtVolume->setText(QStringLiteral("14"));
        frmOptions->StepVolumeUp();
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), 65535u);
        frmOptions->StepVolumeUp();
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("15"));

        frmOptions->edtVolume->setText(QStringLiteral("2"));
        QTest::mouseClick(frmOptions->skbArrowDMin, Qt::LeftButton);
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("1"));
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), 4369u);
        frmOptions->StepVolumeDown();
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("1"));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void holdingAnArrowRepeatsAfterAPause()
    {
        m_rig->start();
        frmOptions->edtVolume->setText(QStringLiteral("3"));
        QTest::mousePress(frmOptions->skbArrowUpMin, Qt::LeftButton);
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("4"));
        QVERIFY(frmOptions->tmrUpDown->isActive());
        QCOMPARE(frmOptions->tmrUpDown->interval(), 500);
        frmOptions->tmrUpDownTimer();
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("5"));
        QCOMPARE(frmOptions->tmrUpDown->interval(), 50);
        QTRY_COMPARE(frmOptions->edtVolume->text(), QStringLiteral("7"));
        QTest::mouseRelease(frmOptions->skbArrowUpMin, Qt::LeftButton);
        QVERIFY(!frmOptions->tmrUpDown->isActive());
        QCOMPARE(frmOptions->tmrUpDown->interval(), 500);
    }

    void repairsTheVolumeText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("above the range") << "99"
                                         << "16";
        QTest::newRow("highest") << "16"
                                 << "16";
        QTest::newRow("empty") << ""
                               << "8";
        QTest::newRow("letters") << "ab"
                                 << "8";
        QTest::newRow("negative") << "-5"
                                  << "0";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("padded") << "05"
                                << "05";
    }

    void repairsTheVolumeText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        m_rig->start();
        frmOptions->edtVolume->setText(QStringLiteral("3"));
        frmOptions->edtVolume->setText(typed);
        QTEST(frmOptions->edtVolume->text(), "kept");
    }

    void aTypedHighestVolumeTestsAtFullLevel()
    {
        m_rig->start();
        frmOptions->edtVolume->setText(QStringLiteral("16"));
        QCOMPARE(frmOptions->mixerLevel(16), 69904u);
        frmOptions->skbTestClick();
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), 65535u);
        frmOptions->StopTest();
    }

    void singleRepeatTestsForItsDurationAndStopsItself()
    {
        ManualClock clock(5000);
        m_rig->start();
        frmOptions->cbxMode->setCurrentIndex(1);     // Single
        frmOptions->cbxDuration->setCurrentIndex(1); // 20 mins
        chooseRow(1);
        frmOptions->skbTestClick();

        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Stop"));
        QCOMPARE(frmOptions->TestDuration, 1200u);
        QVERIFY(frmOptions->tmrDuration->isActive());
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), 9u * 4369u);
        QCOMPARE(NotebookState::playback(m_rig->image),
                 json({{"letter", "D"}, {"from", 2}, {"to", 0}}));
        QVERIFY(frmSelectMusic->tmrOneTrack->isActive());
        QCOMPARE(frmSelectMusic->tmrOneTrack->interval(), 201000);

        clock.advance(1200 * 1000);
        frmOptions->tmrDurationTimer();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Stop"));
        QVERIFY(NotebookState::playing(m_rig->image));
        clock.advance(1000);
        frmOptions->tmrDurationTimer();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
        QVERIFY(!frmOptions->tmrDuration->isActive());
        QVERIFY(!frmSelectMusic->tmrOneTrack->isActive());
        QVERIFY(!NotebookState::playing(m_rig->image));
    }

    void aWrappingTickCountNeverEndsATestEarly()
    {
        ManualClock clock(0xFFFFFFFFu - 1500);
        m_rig->start();
        frmOptions->cbxMode->setCurrentIndex(2); // All
        frmOptions->skbTestClick();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Stop"));
        clock.advance(3000); // past the wrap
        frmOptions->tmrDurationTimer();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Stop"));
        clock.advance(597 * 1000); // exactly ten minutes
        frmOptions->tmrDurationTimer();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Stop"));
        clock.advance(1000);
        frmOptions->tmrDurationTimer();
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
    }

    void anUnknownDurationTestsForTenMinutes()
    {
        m_rig->image.image["firmware"]["methods"]["ADUR"]["choices"] = {"5 minutes", "20 MINS"};
        m_rig->image.write();
        ManualClock clock;
        m_rig->start();
        for (int duration = 0; duration < 2; ++duration) {
            frmOptions->cbxDuration->setCurrentIndex(duration);
            frmOptions->skbTestClick();
            QCOMPARE(frmOptions->TestDuration, 600u);
            QCOMPARE(NotebookState::playback(m_rig->image),
                     json({{"letter", "D"}, {"from", 1}, {"to", 0}}));
            frmOptions->skbTestClick();
            QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
            QVERIFY(!NotebookState::playing(m_rig->image));
        }
    }

    void noneRepeatPlaysTheTrackOnceWithoutTiming()
    {
        m_rig->start();
        frmOptions->cbxMode->setCurrentIndex(0); // None
        chooseRow(4);
        for (int press = 0; press < 2; ++press) {
            frmOptions->skbTestClick();
            QCOMPARE(NotebookState::playback(m_rig->image),
                     json({{"letter", "D"}, {"from", 5}, {"to", 6}}));
            QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
            QVERIFY(!frmOptions->tmrDuration->isActive());
            frmSelectMusic->skbStopClick();
        }
    }

    void testWithoutTrackOrMixerPlaysNothing()
    {
        m_rig->start();
        m_rig->image.image["hardware"]["mixer"]["present"] = false;
        m_rig->image.write();
        frmOptions->skbTestClick();
        QCOMPARE(m_rig->boxes.texts(), QStringList{"Can not test. Audio function failed."});
        QCOMPARE(m_rig->boxes.boxes.front().icon, MessageBoxes::Icon::Warning);
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
        QVERIFY(!NotebookState::playing(m_rig->image));

        m_rig->image.image["hardware"]["mixer"]["present"] = true;
        m_rig->image.image["hardware"]["ide"][1]["disc"] = nullptr;
        m_rig->image.write();
        m_rig->boxes.boxes.clear();
        frmVesperin->SkButton4Click(); // reloads the empty drive
        frmVesperin->SkButton3Click();
        frmOptions->skbTestClick();
        QCOMPARE(m_rig->boxes.texts(), QStringList{"Select a music first."});
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
        QVERIFY(!frmOptions->tmrDuration->isActive());
    }

    void okDuringATestStopsTheMusicAndWrites()
    {
        m_rig->start();
        frmVesperin->SkButton3Click();
        // Another program changed the music choice since the dialogs loaded it.
        m_rig->image.setItem(ItemDrive, 3);
        m_rig->image.setItem(ItemTrack, 5);
        frmOptions->cbxMode->setCurrentIndex(2);
        frmOptions->cbxDuration->setCurrentIndex(3);
        frmOptions->edtVolume->setText(QStringLiteral("12"));
        frmOptions->skbTestClick();
        QVERIFY(NotebookState::playing(m_rig->image));

        bool playingWhenStored = true;
        connect(frmOptions, &SettingDialog::stored, this,
                [&] { playingWhenStored = NotebookState::playing(m_rig->image); });
        frmOptions->skbOKClick();
        QVERIFY(!playingWhenStored);
        QVERIFY(!frmOptions->isVisible());
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
        QCOMPARE(m_rig->image.item(ItemRepeat), 2u);
        QCOMPARE(m_rig->image.item(ItemDuration), 3u);
        QCOMPARE(m_rig->image.item(ItemVolume), 11u);
        QCOMPARE(m_rig->image.item(ItemDrive), 3u);
        QCOMPARE(m_rig->image.item(ItemTrack), 5u);
        QCOMPARE(frmVesperin->lblRepeat->text(), QStringLiteral("All"));
        QCOMPARE(frmVesperin->lblLength->text(), QStringLiteral("1 hour"));
        QCOMPARE(frmVesperin->lblVolume->text(), QStringLiteral("12"));
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void choicesWithoutAFirmwareValueKeepTheFirmwares()
    {
        m_rig->image.setItem(ItemDuration, 2);
        m_rig->start();
        frmVesperin->SkButton3Click();
        frmOptions->cbxMode->setCurrentIndex(-1);
        frmOptions->cbxDuration->setCurrentIndex(-1);
        frmOptions->edtVolume->setText(QStringLiteral("0"));
        frmOptions->skbOKClick();
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(m_rig->image.item(ItemRepeat), 1u);
        // No duration chosen writes the first.
        QCOMPARE(m_rig->image.item(ItemDuration), 0u);
        QCOMPARE(m_rig->image.item(ItemVolume), 8u);
        QVERIFY(frmVesperin->lblRepeat->text().isEmpty());
        QVERIFY(frmVesperin->lblLength->text().isEmpty());
        QCOMPARE(frmVesperin->lblVolume->text(), QStringLiteral("0"));
    }

    void fewerThanTwoVolumeValuesStayInRange_data()
    {
        QTest::addColumn<int>("values");
        QTest::newRow("one") << 1;
        QTest::newRow("none") << 0;
    }

    void fewerThanTwoVolumeValuesStayInRange()
    {
        QFETCH(int, values);
        m_rig->image.image["firmware"]["methods"]["AVOL"]["range"] = {0, 1, values};
        m_rig->image.setItem(ItemVolume, 0);
        m_rig->start();
        QCOMPARE(frmOptions->MaxVolume, values);
        QCOMPARE(frmOptions->MixerStep, 65535);
        frmVesperin->SkButton3Click();
        frmOptions->StepVolumeUp();
        frmOptions->StepVolumeDown();
        QCOMPARE(frmOptions->edtVolume->text(), QString::number(values));
        frmOptions->skbTestClick();
        QCOMPARE(NotebookState::mixerLevel(m_rig->image), values ? 65535u : 0u);
        frmOptions->skbOKClick();
        QCOMPARE(m_rig->image.item(ItemVolume), 0u);
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    void aFailedWriteLeavesThePanelAsItWas_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<int>("item");
        // The drive cannot be read, so it cannot be written back.
        QTest::newRow("drive unreadable") << "GITM" << ItemDrive;
        // The library reports the write done; the firmware kept the old volume.
        QTest::newRow("volume refused") << "SITM" << ItemVolume;
    }

    void aFailedWriteLeavesThePanelAsItWas()
    {
        QFETCH(QString, method);
        QFETCH(int, item);
        m_rig->start();
        frmVesperin->SkButton3Click();
        frmOptions->cbxMode->setCurrentIndex(0);
        frmOptions->edtVolume->setText(QStringLiteral("3"));
        m_rig->image.refuse(method.toLatin1().constData(), item);
        frmOptions->skbOKClick();

        QCOMPARE(m_rig->boxes.texts(),
                 QStringList{"Setting options failed, please retry again..."});
        QCOMPARE(m_rig->boxes.boxes.front().icon, MessageBoxes::Icon::Error);
        QCOMPARE(m_rig->boxes.boxes.front().owner, QStringLiteral("frmOptions"));
        QCOMPARE(m_rig->image.item(ItemDrive), 2u);
        QCOMPARE(m_rig->image.item(ItemVolume), 8u);
        QCOMPARE(frmVesperin->lblRepeat->text(), QStringLiteral("Single"));
        QCOMPARE(frmVesperin->lblVolume->text(), QStringLiteral("9"));
        // The controls keep the user's values until the next show.
        QCOMPARE(frmOptions->edtVolume->text(), QStringLiteral("3"));
    }

    void cancelStopsTheTestAndDiscardsTheChanges()
    {
        m_rig->start();
        frmVesperin->SkButton3Click();
        frmOptions->cbxMode->setCurrentIndex(2);
        frmOptions->skbTestClick();
        // Opening the music dialog closes this one as Cancel does.
        frmVesperin->SkButton4Click();
        QVERIFY(!frmOptions->isVisible());
        QCOMPARE(frmOptions->skbTest->GetText(), QStringLiteral("Test"));
        QVERIFY(!NotebookState::playing(m_rig->image));
        QCOMPARE(m_rig->image.item(ItemRepeat), 1u);
        frmVesperin->SkButton3Click();
        QCOMPARE(frmOptions->cbxMode->currentText(), QStringLiteral("Single"));
    }

    void twoDigitVolumesFitTheirField()
    {
        m_rig->start();
        const QFontMetrics metrics = frmOptions->edtVolume->fontMetrics();
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("16")) <= frmOptions->edtVolume->width());
    }

private:
    static QStringList items(const QComboBox *box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    std::unique_ptr<WindowTestRig> m_rig;
};

QTEST_MAIN(TestFrmOptions)
#include "tst_frmoptions.moc"
