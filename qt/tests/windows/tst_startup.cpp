// Program start: the three start-up failures end the program without a
// panel; otherwise the waiting window stands alone until the drive search
// ends, and then the panel takes its place.

#include "app/binding/program_location.h"
#include "qt/windows/forms.h"
#include "qt/windows/frm_options.h"
#include "qt/windows/frm_select_music.h"
#include "qt/windows/frm_set_time.h"
#include "qt/windows/frm_vesperin.h"
#include "qt/windows/frm_waiting.h"
#include "window_test_rig.h"

#include <QLabel>
#include <QtTest>

#include <memory>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { WindowTestRig::prepareApplication(); }

    void init() { m_rig = std::make_unique<WindowTestRig>(WindowTestRig::Screen::System); }

    void cleanup() { m_rig.reset(); }

    void failureEndsTheProgramWithoutAPanel_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("library missing") << "library"
                                         << "Loading ACPI DLL failed...";
        QTest::newRow("driver missing") << "driver"
                                        << "Initiating failed...";
        QTest::newRow("no alarm support") << "support"
                                          << "Your BIOS does not support Vesperin !";
    }

    void failureEndsTheProgramWithoutAPanel()
    {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        std::string library = ProgramLocation::libraryPath();
        if (fault == "library") {
            library = ProgramLocation::directory() + "no-such-library.so";
        } else if (fault == "driver") {
            // An image the emulated driver refuses to open.
            m_rig->image.image["format"] = 2;
            m_rig->image.write();
        } else {
            m_rig->image.image["firmware"]["mbif"] = {3, 0, 0, 0};
            m_rig->image.write();
        }

        QVERIFY(!createForms(library));

        QCOMPARE(m_rig->boxes.boxes.size(), size_t(1));
        const RecordingMessageBoxes::Box &box = m_rig->boxes.boxes.front();
        QCOMPARE(box.text, text);
        QCOMPARE(box.caption, QStringLiteral("Vesperin"));
        QCOMPARE(box.icon, MessageBoxes::Icon::Error);
        QCOMPARE(box.owner, QStringLiteral("frmVesperin"));
        QVERIFY(frmVesperin->startupFailed());
        QVERIFY(frmVesperin->terminationRequested());
        QVERIFY(!frmVesperin->isVisible());
        QVERIFY(!frmSetTime);
        QVERIFY(!frmOptions);
        QVERIFY(!frmSelectMusic);
        QVERIFY(!frmWaiting);
    }

    void waitingWindowStandsAloneUntilTheDriveSearchEnds()
    {
        QVERIFY(createForms(ProgramLocation::libraryPath()));
        QVERIFY(m_rig->boxes.boxes.empty());
        QVERIFY(frmWaiting->isVisible());
        QVERIFY(!frmVesperin->isVisible());
        QVERIFY(!frmSetTime->isVisible());
        QVERIFY(!frmOptions->isVisible());
        QVERIFY(!frmSelectMusic->isVisible());

        QTRY_VERIFY(frmVesperin->isVisible());
        QVERIFY(!frmWaiting->isVisible());
        QVERIFY(!frmVesperin->terminationRequested());
    }

    void waitingWindowRefusesToClose()
    {
        QVERIFY(createForms(ProgramLocation::libraryPath()));
        QVERIFY(!frmWaiting->close());
        QVERIFY(frmWaiting->isVisible());
        QCOMPARE(frmWaiting->Label1->text(), QStringLiteral("Searching CD-ROMs, please wait..."));
        QCOMPARE(frmWaiting->size(), QSize(306, 29));
    }

    void waitingWindowIsCentred()
    {
        FixedScreen screen(1024, 768);
        QVERIFY(createForms(ProgramLocation::libraryPath()));
        // Its outer rectangle, frame included, sits in the middle.
        QCOMPARE(frmWaiting->frameGeometry().center(), QPoint(511, 383));
    }

    void everyWindowIsTitledByItsCaption()
    {
        QVERIFY(createForms(ProgramLocation::libraryPath()));
        QCOMPARE(frmVesperin->windowTitle(), QStringLiteral("frmVesperin"));
        QCOMPARE(frmSetTime->windowTitle(), QStringLiteral("Set Time"));
        QCOMPARE(frmOptions->windowTitle(), QStringLiteral(" Options"));
        QCOMPARE(frmSelectMusic->windowTitle(), QStringLiteral("Music Selection"));
        QCOMPARE(frmWaiting->windowTitle(), QStringLiteral("Vesperin"));
    }

    void closeButtonEndsTheProgram()
    {
        QVERIFY(createForms(ProgramLocation::libraryPath()));
        QTRY_VERIFY(frmVesperin->isVisible());
        frmVesperin->skbCloseClick();
        QVERIFY(frmVesperin->terminationRequested());
    }

    void formsCanBeBuiltAgainAndAgain()
    {
        for (int round = 0; round < 3; ++round) {
            QVERIFY(createForms(ProgramLocation::libraryPath()));
            destroyForms();
            QVERIFY(!frmVesperin && !frmSetTime && !frmWaiting);
        }
    }

private:
    std::unique_ptr<WindowTestRig> m_rig;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
