// The panel: what it shows of the dialogs' values, where it and the dialogs
// go on the screen, and the one-dialog-at-a-time rule of its arrow buttons.

#include "qt/windows/forms.h"
#include "qt/windows/frm_options.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_set_time.h"
#include "qt/windows/frm_vesperin.h"
#include "qt/skin/sk_check_box.h"
#include "qt/skin/sk_picture.h"
#include "qt/skin/sk_radio_button.h"
#include "window_test_rig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestFrmVesperin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { WindowTestRig::prepareApplication(); }

    void init() { m_rig = std::make_unique<WindowTestRig>(); }

    void cleanup() { m_rig.reset(); }

    void showsTheFirmwaresAlarmAtStart()
    {
        start();
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("06"));
        QCOMPARE(frmVesperin->lblMinute->text(), QStringLiteral("30"));
        QCOMPARE(frmVesperin->lblAMPM->text(), QStringLiteral("AM"));
        QCOMPARE(frmVesperin->lblDays->text(), QStringLiteral("Mon. Tue. Wed. Thu. Fri. "));
        QVERIFY(!frmVesperin->lblMask->isVisible());
    }

    void padsHourAndMinuteToTwoDigits_data()
    {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<QString>("shownHour");
        QTest::addColumn<QString>("shownMinute");
        QTest::newRow("one digit") << "7"
                                   << "5"
                                   << "07"
                                   << "05";
        QTest::newRow("two digits") << "12"
                                    << "59"
                                    << "12"
                                    << "59";
        QTest::newRow("already padded") << "01"
                                        << "00"
                                        << "01"
                                        << "00";
    }

    void padsHourAndMinuteToTwoDigits()
    {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        start();
        frmSetTime->edtHourVal->setText(hour);
        frmSetTime->edtMinuteVal->setText(minute);
        frmSetTime->skrPM->SetChecked(true);
        frmVesperin->ShowAlarmTime();
        QTEST(frmVesperin->lblHour->text(), "shownHour");
        QTEST(frmVesperin->lblMinute->text(), "shownMinute");
        QCOMPARE(frmVesperin->lblAMPM->text(), QStringLiteral("PM"));
    }

    void listsTheCheckedDaysWithTheirTrailingBlanks()
    {
        start();
        SkCheckBox *const days[] = {frmSetTime->skcSun, frmSetTime->skcMon, frmSetTime->skcTue,
                                    frmSetTime->skcWed, frmSetTime->skcThu, frmSetTime->skcFri,
                                    frmSetTime->skcSat};
        for (SkCheckBox *day : days)
            day->SetChecked(false);
        frmSetTime->skcSun->SetChecked(true);
        frmSetTime->skcSat->SetChecked(true);
        frmVesperin->ShowAlarmTime();
        QCOMPARE(frmVesperin->lblDays->text(), QStringLiteral("Sun. Sat. "));

        for (SkCheckBox *day : days)
            day->SetChecked(true);
        frmVesperin->ShowAlarmTime();
        QCOMPARE(frmVesperin->lblDays->text(),
                 QStringLiteral("Sun. Mon. Tue. Wed. Thu. Fri. Sat. "));
        // Seven days wrap over the label's two lines and no further.
        QVERIFY(frmVesperin->lblDays->heightForWidth(110) <= 30);
    }

    void masksTheTimeWhileTheAlarmIsOff()
    {
        start();
        frmSetTime->skcDisabled->SetChecked(true);
        frmSetTime->edtHourVal->setText(QStringLiteral("9"));
        frmVesperin->ShowAlarmTime();
        QVERIFY(frmVesperin->lblMask->isVisible());
        QCOMPARE(frmVesperin->lblMask->palette().color(QPalette::Window), QColor(0x16, 0x14, 0x15));
        QCOMPARE(frmVesperin->lblDays->text(), QString());
        // The time keeps its text under the mask.
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("06"));
        QCOMPARE(frmVesperin->lblMinute->text(), QStringLiteral("30"));
        QCOMPARE(frmVesperin->lblAMPM->text(), QStringLiteral("AM"));
        QCOMPARE(frmVesperin->lblMask->geometry(), QRect(154, 220, 92, 16));

        frmSetTime->skcDisabled->SetChecked(false);
        frmVesperin->ShowAlarmTime();
        QVERIFY(!frmVesperin->lblMask->isVisible());
        QCOMPARE(frmVesperin->lblHour->text(), QStringLiteral("09"));
    }

    void showsTheFirmwaresMusicAndOptionsAtStart()
    {
        start();
        QCOMPARE(frmVesperin->lblCurDrive->text(), QStringLiteral("D"));
        QCOMPARE(frmVesperin->lblCurTrack->text(), QStringLiteral("1"));
        QCOMPARE(frmVesperin->lblRepeat->text(), QStringLiteral("Single"));
        QCOMPARE(frmVesperin->lblLength->text(), QStringLiteral("10 mins"));
        QCOMPARE(frmVesperin->lblVolume->text(), QStringLiteral("9"));
    }

    void movesRightOnANarrowScreen_data()
    {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<int>("left");
        // 1024 / 2 - 330 / 2 = 347 is less than the time dialog's 393
        // pixels, so the panel goes to 1024 - 393 - 330.
        QTest::newRow("1024") << 1024 << 301;
        // 640 / 2 - 165 = 155 < 393, and 640 - 393 - 330 is negative.
        QTest::newRow("640") << 640 << 0;
        // 1600 / 2 - 165 = 635 leaves the designed place.
        QTest::newRow("1600") << 1600 << 272;
    }

    void movesRightOnANarrowScreen()
    {
        QFETCH(int, screenWidth);
        QFETCH(int, left);
        FixedScreen screen(screenWidth, 768);
        start();
        QCOMPARE(frmVesperin->frameGeometry().size(), QSize(330, 443));
        QCOMPARE(frmSetTime->frameGeometry().size(), QSize(393, 283));
        QCOMPARE(frmVesperin->pos(), QPoint(left, 80));
    }

    void arrowOpensItsDialogBesideThePanel()
    {
        start();
        frmVesperin->SkButton2Click();
        QVERIFY(frmSetTime->isVisible());
        // Right of the panel at 301 + 330, bottom edges aligned at 80 + 443.
        QCOMPARE(frmSetTime->frameGeometry().topLeft(), QPoint(631, 80 + 443 - 283));

        frmVesperin->SkButton2Click();
        QVERIFY(!frmSetTime->isVisible());
    }

    void arrowClosesTheOtherDialogsFirst()
    {
        start();
        frmVesperin->SkButton2Click();
        QVERIFY(frmSetTime->isVisible());
        frmVesperin->SkButton3Click();
        QVERIFY(!frmSetTime->isVisible());
        QVERIFY(frmOptions->isVisible());
        QCOMPARE(frmOptions->frameGeometry().left(), 631);
        QCOMPARE(frmOptions->frameGeometry().bottom(), frmVesperin->frameGeometry().bottom());

        frmVesperin->SkButton4Click();
        QVERIFY(!frmOptions->isVisible());
        QVERIFY(frmSelectMusic->isVisible());
        QCOMPARE(frmSelectMusic->frameGeometry().bottom(), frmVesperin->frameGeometry().bottom());
    }

    void dialogGoesLeftWhenOnlyTheLeftHasRoom()
    {
        start();
        frmVesperin->move(650, 80);
        frmVesperin->SkButton2Click();
        QCOMPARE(frmSetTime->frameGeometry().left(), 650 - 393);
    }

    void dialogStaysOnScreenWhenNeitherSideHasRoom()
    {
        start();
        frmVesperin->move(350, 80);
        // 1024 - 350 - 330 = 344 on the right, 350 on the left: neither
        // holds 393 pixels, so the dialog goes right and is pulled back.
        frmVesperin->SkButton2Click();
        QCOMPARE(frmSetTime->frameGeometry().left(), 1024 - 393);
    }

    void plainButtonsToggleOneDialogAtAFixedPlace()
    {
        start();
        const QRect panel = frmVesperin->frameGeometry();
        frmVesperin->Button1Click();
        QVERIFY(frmSetTime->isVisible());
        QCOMPARE(frmSetTime->pos(), QPoint(panel.left() + panel.width(), panel.top()));

        frmVesperin->Button3Click();
        QVERIFY(frmSetTime->isVisible());
        QVERIFY(frmOptions->isVisible());
        QCOMPARE(frmOptions->pos(), QPoint(panel.left(), panel.top() + panel.height()));

        frmVesperin->Button2Click();
        QCOMPARE(frmSelectMusic->pos(),
                 QPoint(panel.left() - frmSelectMusic->frameGeometry().width(), panel.top()));

        frmVesperin->Button1Click();
        QVERIFY(!frmSetTime->isVisible());
        QVERIFY(frmOptions->isVisible());
        // The plain buttons lie outside the visible panel.
        QVERIFY(!frmVesperin->rect().contains(frmVesperin->Button1->mapTo(frmVesperin, QPoint())));
    }

    void draggingByALabelMovesThePanelAndTheDialogs()
    {
        start();
        frmVesperin->SkButton2Click();
        const QPoint panel = frmVesperin->pos();
        const QPoint setTime = frmSetTime->pos();
        const QPoint options = frmOptions->pos();
        // A label takes no presses: they reach the panel itself.
        QLabel *label = frmVesperin->Label2;
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(label, QPoint(22, 12));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(22, 12));
        QCOMPARE(frmVesperin->pos(), panel + QPoint(20, 10));
        QCOMPARE(frmSetTime->pos(), setTime + QPoint(20, 10));
        QCOMPARE(frmOptions->pos(), options + QPoint(20, 10));
        // After the release the mouse moves nothing.
        QTest::mouseMove(label, QPoint(40, 40));
        QCOMPARE(frmVesperin->pos(), panel + QPoint(20, 10));
    }

    void dialogTitlesPassPressesToTheirBackground()
    {
        start();
        expectTitlePassesPresses(frmSetTime);
        expectTitlePassesPresses(frmSelectMusic);
        expectTitlePassesPresses(frmOptions);
    }

    void minimiseButtonMinimises()
    {
        start();
        frmVesperin->skbMinimizeClick();
        QTRY_VERIFY(frmVesperin->isMinimized());
    }

private:
    // A press on the dialog's title reaches its background picture's handler,
    // which drags the window, with the title as sender and the title's point.
    template <typename Dialog> static void expectTitlePassesPresses(Dialog *dialog)
    {
        QWidget *sender = nullptr;
        QPoint at;
        dialog->imgBg->SetOnMouseDown(
            [&](QWidget *from, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                if (button == Qt::LeftButton) {
                    sender = from;
                    at = QPoint(x, y);
                }
            });
        dialog->show();
        QTest::mousePress(dialog->lblTitle, Qt::LeftButton, {}, QPoint(4, 3));
        QTest::mouseRelease(dialog->lblTitle, Qt::LeftButton, {}, QPoint(4, 3));
        dialog->imgBg->SetOnMouseDown(nullptr);
        QCOMPARE(sender, static_cast<QWidget *>(dialog->lblTitle));
        QCOMPARE(at, QPoint(4, 3));
    }

    // Starts the program and waits for the panel to appear.
    void start()
    {
        m_rig->start();
        QVERIFY(m_rig->boxes.boxes.empty());
    }

    std::unique_ptr<WindowTestRig> m_rig;
};

QTEST_MAIN(TestFrmVesperin)
#include "tst_frmvesperin.moc"
