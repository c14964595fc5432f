// The alarm time dialog against the real Vesperlink and the emulated
// firmware: what it loads, how it repairs and steps its fields, what OK
// writes, and how it reports a firmware that did not take the alarm.

#include "qt/windows/forms.h"
#include "qt/windows/frm_set_time.h"
#include "qt/windows/frm_vesperin.h"
#include "intercepting_loader.h"
#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_radio_button.h"
#include "window_test_rig.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString SettingFailed = QStringLiteral("Setting time failed, please retry again...");

} // namespace

class TestFrmSetTime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { WindowTestRig::prepareApplication(); }

    void init()
    {
        m_rig = std::make_unique<WindowTestRig>();
        m_loader = std::make_unique<InterceptingLoader>();
    }

    void cleanup()
    {
        m_rig.reset();
        m_loader.reset();
    }

    void showsTheHourInTwelveHourFormAndWritesItBack_data()
    {
        QTest::addColumn<uint>("hour");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("afternoon");
        const char *const texts[] = {"12", "01", "02", "03", "04", "05", "06", "07",
                                     "08", "09", "10", "11", "12", "01", "02", "03",
                                     "04", "05", "06", "07", "08", "09", "10", "11"};
        for (uint hour = 0; hour < 24; ++hour)
            QTest::addRow("%u", hour) << hour << QString::fromLatin1(texts[hour]) << (hour >= 12);
    }

    void showsTheHourInTwelveHourFormAndWritesItBack()
    {
        QFETCH(uint, hour);
        QFETCH(QString, shown);
        QFETCH(bool, afternoon);
        m_rig->image.setAlarm(true, hour, 7, 0x02);
        m_rig->start(*m_loader);
        openDialog();
        QCOMPARE(frmSetTime->edtHourVal->text(), shown);
        QCOMPARE(frmSetTime->edtMinuteVal->text(), QStringLiteral("07"));
        QCOMPARE(frmSetTime->skrPM->Checked(), afternoon);
        QCOMPARE(frmSetTime->skrAM->Checked(), !afternoon);

        frmSetTime->skbOKClick();
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(m_loader->timeWrites.size(), size_t(1));
        QCOMPARE(m_loader->timeWrites.back().hour, hour);
        QCOMPARE(m_rig->image.item(9), hour);
    }

    void loadsAndWritesTheDayMask()
    {
        // 23:05 on Saturday and Sunday.
        m_rig->image.setAlarm(true, 23, 5, 0x41);
        m_rig->start(*m_loader);
        openDialog();
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("11"));
        QCOMPARE(frmSetTime->edtMinuteVal->text(), QStringLiteral("05"));
        QVERIFY(frmSetTime->skrPM->Checked());
        QVERIFY(frmSetTime->skcSun->Checked());
        QVERIFY(frmSetTime->skcSat->Checked());
        QVERIFY(!frmSetTime->skcMon->Checked());
        QVERIFY(!frmSetTime->skcFri->Checked());

        frmSetTime->skcSat->SetChecked(false);
        frmSetTime->skcWed->SetChecked(true);
        frmSetTime->skbOKClick();
        QVERIFY(m_rig->boxes.boxes.empty());
        const std::vector<std::string> order{"status", "time"};
        QCOMPARE(m_loader->writeOrder, order);
        QCOMPARE(m_loader->statusWrites.back(), 1u);
        QCOMPARE(m_loader->timeWrites.back().hour, 23u);
        QCOMPARE(m_loader->timeWrites.back().minute, 5u);
        QCOMPARE(m_loader->timeWrites.back().days, 0x09u);
        QCOMPARE(m_rig->image.days(), 0x09u);
        QCOMPARE(frmVesperin->lblDays->text(), QStringLiteral("Sun. Wed. "));
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("11"));
        QCOMPARE(frmVesperin->lblAMPM->text(), QStringLiteral("PM"));
    }

    void ignoresDayBitsAboveSaturday()
    {
        m_loader->extraDays = 0xFFFFFF80u;
        m_rig->start(*m_loader);
        openDialog();
        QVERIFY(!frmSetTime->skcSun->Checked());
        QVERIFY(frmSetTime->skcMon->Checked());
        QVERIFY(!frmSetTime->skcSat->Checked());
        QCOMPARE(frmVesperin->lblDays->text(), QStringLiteral("Mon. Tue. Wed. Thu. Fri. "));

        frmSetTime->skbOKClick();
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(m_loader->timeWrites.back().days, 0x3Eu);
    }

    void repairsWhatIsTyped_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("pasted");
        const auto row = [](const char *name, const char *field, const char *typed,
                            const char *result, bool pasted = false) {
            QTest::newRow(name) << QString::fromLatin1(field) << QString::fromLatin1(typed)
                                << QString::fromLatin1(result) << pasted;
        };
        row("minute above", "edtMinuteVal", "75", "59");
        row("hour above", "edtHourVal", "13", "12");
        row("hour below", "edtHourVal", "0", "1");
        // A typed "-" is not a number and becomes "30" at once, so a negative
        // number only arrives pasted.
        row("minute below", "edtMinuteVal", "-4", "0", true);
        row("minute typed minus", "edtMinuteVal", "-4", "30");
        row("hour below pasted", "edtHourVal", "-1", "1", true);
        row("hour letters", "edtHourVal", "ab", "06");
        row("minute letters", "edtMinuteVal", "x", "30");
        row("hour in range unpadded", "edtHourVal", "7", "7");
        row("minute in range padded", "edtMinuteVal", "05", "05");
    }

    void repairsWhatIsTyped()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QFETCH(bool, pasted);
        m_rig->start(*m_loader);
        openDialog();
        auto *edit = frmSetTime->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        edit->selectAll();
        if (pasted)
            edit->insert(typed);
        else
            QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), result);
    }

    void deletingTheTextGivesTheMiddleValue()
    {
        m_rig->start(*m_loader);
        openDialog();
        frmSetTime->edtHourVal->selectAll();
        QTest::keyClick(frmSetTime->edtHourVal, Qt::Key_Backspace);
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("06"));
        frmSetTime->edtMinuteVal->selectAll();
        QTest::keyClick(frmSetTime->edtMinuteVal, Qt::Key_Delete);
        QCOMPARE(frmSetTime->edtMinuteVal->text(), QStringLiteral("30"));
    }

    void heldArrowStepsOnceThenAfterHalfASecondThenFast()
    {
        m_rig->image.setAlarm(true, 11, 0, 0x3E);
        m_rig->start(*m_loader);
        openDialog();
        QTimer *timer = frmSetTime->tmrUpDown;
        SkButton *up = frmSetTime->skbArrowUpHour;

        QTest::mousePress(up, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("12"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
        frmSetTime->tmrUpDownTimer();
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("01"));
        QCOMPARE(timer->interval(), 50);
        frmSetTime->tmrUpDownTimer();
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("02"));
        QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 500);
        // Stepping never changes the half of the day.
        QVERIFY(frmSetTime->skrAM->Checked());

        QTest::mousePress(up, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(timer->interval(), 500);
        QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void arrowsWrapAroundTheirRange_data()
    {
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("minute down from 00") << "skbArrowDMin"
                                             << "edtMinuteVal"
                                             << "00"
                                             << "59";
        QTest::newRow("minute up from 59") << "skbArrowUpMin"
                                           << "edtMinuteVal"
                                           << "59"
                                           << "00";
        QTest::newRow("hour down from 01") << "skbArrowDHour"
                                           << "edtHourVal"
                                           << "01"
                                           << "12";
        QTest::newRow("hour down from 10") << "skbArrowDHour"
                                           << "edtHourVal"
                                           << "10"
                                           << "09";
        QTest::newRow("minute up from 9") << "skbArrowUpMin"
                                          << "edtMinuteVal"
                                          << "9"
                                          << "10";
    }

    void arrowsWrapAroundTheirRange()
    {
        QFETCH(QString, arrow);
        QFETCH(QString, field);
        QFETCH(QString, before);
        m_rig->start(*m_loader);
        openDialog();
        auto *edit = frmSetTime->findChild<QLineEdit *>(field);
        auto *button = frmSetTime->findChild<SkButton *>(arrow);
        QVERIFY(edit && button);
        edit->setText(before);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        QTEST(edit->text(), "after");
    }

    void disablingGreysTheTimeControlsAndWritesOnlyTheStatus()
    {
        m_rig->start(*m_loader);
        openDialog();
        QVERIFY(frmSetTime->edtHourVal->isEnabled());
        QTest::mouseClick(frmSetTime->skcDisabled, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(frmSetTime->skcDisabled->Checked());
        QVERIFY(!frmSetTime->edtHourVal->isEnabled());
        QVERIFY(!frmSetTime->skcMon->isEnabled());
        QVERIFY(!frmSetTime->skbArrowUpMin->isEnabled());
        QVERIFY(!frmSetTime->skrPM->isEnabled());
        QCOMPARE(frmSetTime->lblMon->palette().color(QPalette::WindowText),
                 QColor(0x62, 0x62, 0x62));
        QCOMPARE(frmSetTime->lblDays->palette().color(QPalette::WindowText),
                 QColor(0xC0, 0xC0, 0xC0));
        // Nothing reaches the firmware before OK.
        QVERIFY(m_loader->writeOrder.empty());

        frmSetTime->skbOKClick();
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(m_loader->statusWrites, std::vector<uint32_t>{0});
        QVERIFY(m_loader->timeWrites.empty());
        QCOMPARE(m_rig->image.item(1), 0u);
        QVERIFY(frmVesperin->lblMask->isVisible());
    }

    void refusedStatusWriteShowsBothMessagesInOrder()
    {
        m_rig->image.refuse("SITM", 1);
        m_rig->start(*m_loader);
        openDialog();
        frmSetTime->edtMinuteVal->setText(QStringLiteral("45"));
        frmSetTime->skbOKClick();

        QCOMPARE(m_rig->boxes.texts(),
                 QStringList({QStringLiteral("Cannot set status to BIOS..."), SettingFailed}));
        for (const RecordingMessageBoxes::Box &box : m_rig->boxes.boxes) {
            QCOMPARE(box.owner, QStringLiteral("frmSetTime"));
            QCOMPARE(box.caption, QStringLiteral("Vesperin"));
            QCOMPARE(box.icon, MessageBoxes::Icon::Error);
        }
        QVERIFY(m_loader->timeWrites.empty());
        QVERIFY(!frmSetTime->isVisible());
        QCOMPARE(frmSetTime->edtMinuteVal->text(), QStringLiteral("45"));
        QCOMPARE(frmVesperin->lblMinute->text(), QStringLiteral("30"));
    }

    void refusedHourIsCaughtByReadingBack()
    {
        m_rig->image.refuse("SITM", 9);
        m_rig->start(*m_loader);
        openDialog();
        frmSetTime->edtHourVal->setText(QStringLiteral("9"));
        frmSetTime->skbOKClick();

        QCOMPARE(m_rig->boxes.texts(), QStringList{SettingFailed});
        QCOMPARE(m_rig->image.item(9), 6u);
        QVERIFY(!frmSetTime->isVisible());
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("9"));
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("06"));
    }

    void failedStatusReadKeepsTheControls()
    {
        m_rig->start(*m_loader);
        frmSetTime->edtMinuteVal->setText(QStringLiteral("44"));
        m_rig->image.image["firmware"]["faults"] = {
            {{"method", "GITM"}, {"item", 1}, {"effect", "refuse"}}};
        m_rig->image.write();
        openDialog();
        QCOMPARE(m_rig->boxes.texts(),
                 QStringList{QStringLiteral("Cannot get status from BIOS...")});
        QCOMPARE(frmSetTime->edtMinuteVal->text(), QStringLiteral("44"));
    }

    void cancelDiscardsAndTheNextShowReloads()
    {
        m_rig->start(*m_loader);
        openDialog();
        frmSetTime->edtHourVal->setText(QStringLiteral("3"));
        frmSetTime->skbCloseClick();
        QVERIFY(!frmSetTime->isVisible());
        QVERIFY(m_loader->writeOrder.empty());
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("06"));
        openDialog();
        QCOMPARE(frmSetTime->edtHourVal->text(), QStringLiteral("06"));
    }

    void confirmedChangeReachesTheFirmwareAndThePanel()
    {
        m_rig->start(*m_loader);
        openDialog();
        frmSetTime->edtHourVal->setText(QStringLiteral("7"));
        frmSetTime->edtMinuteVal->setText(QStringLiteral("15"));
        frmSetTime->skrPM->SetChecked(true);
        QTest::mouseClick(frmSetTime->skbOK, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(m_rig->boxes.boxes.empty());
        QCOMPARE(m_rig->image.item(9), 19u);
        QCOMPARE(m_rig->image.item(10), 15u);
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("07"));
        QCOMPARE(frmVesperin->lblMinute->text(), QStringLiteral("15"));
        QCOMPARE(frmVesperin->lblAMPM->text(), QStringLiteral("PM"));
    }

private:
    void openDialog()
    {
        frmVesperin->SkButton2Click();
        QVERIFY(frmSetTime->isVisible());
    }

    std::unique_ptr<WindowTestRig> m_rig;
    std::unique_ptr<InterceptingLoader> m_loader;
};

QTEST_MAIN(TestFrmSetTime)
#include "tst_frmsettime.moc"
