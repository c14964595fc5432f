#include "qt/skin/sk_check_box.h"
#include "skin_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using skintest::shownColour;
using skintest::solid;

namespace {

// A distinct colour for every state index.
QColor stateColour(int index)
{
    return QColor(20 * index, 255 - 20 * index, (67 * index) % 256);
}

QImage stateBitmap(int index)
{
    return solid(16, 16, stateColour(index));
}

} // namespace

class TestSkCheckBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clickTogglesAndReportsAfterTheChange();
    void allowGrayedPassesThroughGrayed();
    void programmaticChangesKeepTheLookAndRaiseNothing();
    void emptyLooksFallBackWithinTheGroupThenToStateZero();
    void disabledDayBoxesShowTheirBitmaps();
    void fallbackIsReconsideredWhenItsBitmapArrives();
    void spaceTogglesOncePerCharacter();
    void loadsBitmapsFromFiles();
    void reportsItselfToAssistiveTechnology();

private:
    QWidget *m_window = nullptr;
    SkCheckBox *m_box = nullptr;
};

void TestSkCheckBox::init()
{
    m_window = new QWidget;
    m_window->resize(200, 100);
    m_box = new SkCheckBox(m_window);
    m_box->move(44, 52);
    m_box->SetTransparentColor(QColor(0x3B, 0x3B, 0x3B));
    for (int i = 0; i < 12; ++i)
        m_box->FillStateBitmap(i, stateBitmap(i));
    auto *focusSink = new QWidget(m_window);
    focusSink->setFocusPolicy(Qt::StrongFocus);
    focusSink->setGeometry(150, 70, 10, 10);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    focusSink->setFocus();
    QTRY_VERIFY(focusSink->hasFocus());
    QTest::mouseMove(m_window, QPoint(190, 5));
}

void TestSkCheckBox::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestSkCheckBox::clickTogglesAndReportsAfterTheChange()
{
    QList<SkCheckState> seen;
    connect(m_box, &SkControl::clicked, this, [&] { seen.append(m_box->State()); });
    QCOMPARE(m_box->TransparentColor(), QColor(0x3B, 0x3B, 0x3B));
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(m_box->Checked());
    QTest::mouseClick(m_box, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(!m_box->Checked());
    QCOMPARE(seen, (QList<SkCheckState>{SkCheckState::Checked, SkCheckState::Unchecked}));

    // Released over the box: the hover look of the unchecked group.
    QCOMPARE(m_box->shownState(), 2);
    QCOMPARE(shownColour(m_box), stateColour(2));
}

void TestSkCheckBox::allowGrayedPassesThroughGrayed()
{
    m_box->SetAllowGrayed(true);
    const QList<SkCheckState> expected{SkCheckState::Grayed, SkCheckState::Checked,
                                       SkCheckState::Unchecked, SkCheckState::Grayed};
    for (SkCheckState state : expected) {
        m_box->Click();
        QCOMPARE(m_box->State(), state);
    }
    QCOMPARE(m_box->CurrentState(), 8);
    QVERIFY(!m_box->Checked());
}

void TestSkCheckBox::programmaticChangesKeepTheLookAndRaiseNothing()
{
    QSignalSpy clicks(m_box, &SkControl::clicked);
    QTest::mouseMove(m_box, QPoint(8, 8));
    QTRY_COMPARE(m_box->CurrentState(), 2);
    m_box->SetChecked(true);
    QCOMPARE(m_box->CurrentState(), 6);
    m_box->SetState(SkCheckState::Grayed);
    QCOMPARE(m_box->CurrentState(), 10);
    // AllowGrayed governs clicks only.
    QVERIFY(!m_box->AllowGrayed());
    m_box->SetState(SkCheckState::Unchecked);
    QCOMPARE(m_box->CurrentState(), 2);
    QCOMPARE(clicks.count(), 0);
}

void TestSkCheckBox::emptyLooksFallBackWithinTheGroupThenToStateZero()
{
    m_box->FillStateBitmap(6, QImage());
    m_box->SetChecked(true);
    QTest::mouseMove(m_box, QPoint(8, 8));
    QTRY_COMPARE(m_box->CurrentState(), 6);
    QCOMPARE(m_box->shownState(), 4);
    QCOMPARE(shownColour(m_box), stateColour(4));

    m_box->FillStateBitmap(4, QImage());
    QCOMPARE(m_box->shownState(), 0);
    QCOMPARE(shownColour(m_box), stateColour(0));
}

void TestSkCheckBox::disabledDayBoxesShowTheirBitmaps()
{
    // A day box has the checked raised and disabled bitmaps and the unchecked raised one.
    for (int i = 0; i < 12; ++i)
        m_box->FillStateBitmap(i, (i == 0 || i == 4 || i == 7) ? stateBitmap(i) : QImage());
    m_box->SetChecked(true);
    m_box->setEnabled(false);
    QCOMPARE(m_box->shownState(), 7);
    QCOMPARE(shownColour(m_box), stateColour(7));
    m_box->SetChecked(false);
    QCOMPARE(m_box->CurrentState(), 3);
    QCOMPARE(m_box->shownState(), 0);
    m_box->setEnabled(true);
    QCOMPARE(m_box->shownState(), 0);
}

void TestSkCheckBox::fallbackIsReconsideredWhenItsBitmapArrives()
{
    m_box->FillStateBitmap(4, QImage());
    m_box->FillStateBitmap(6, QImage());
    m_box->SetChecked(true);
    QTest::mouseMove(m_box, QPoint(8, 8));
    QTRY_COMPARE(m_box->CurrentState(), 6);
    QCOMPARE(m_box->shownState(), 0);
    m_box->Appearance().Check().FillRaisedBmp(stateBitmap(4));
    QCOMPARE(m_box->shownState(), 4);
    QCOMPARE(shownColour(m_box), stateColour(4));
}

void TestSkCheckBox::spaceTogglesOncePerCharacter()
{
    QSignalSpy clicks(m_box, &SkControl::clicked);
    m_box->setFocus();
    QTRY_VERIFY(m_box->hasFocus());
    QTest::keyPress(m_box, Qt::Key_Space);
    QVERIFY(m_box->Checked());
    QCOMPARE(m_box->CurrentState(), 5);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(m_box, &repeat);
    QVERIFY(!m_box->Checked());
    QTest::keyRelease(m_box, Qt::Key_Space);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(m_box->CurrentState(), 2);
}

void TestSkCheckBox::loadsBitmapsFromFiles()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(solid(16, 16, Qt::red).save(folder.filePath("on.bmp")));
    QVERIFY(solid(16, 16, Qt::gray).save(folder.filePath("on-off.bmp")));

    QVERIFY(m_box->LoadChecked(folder.path(), "on.bmp", "", "", "on-off.bmp"));
    QCOMPARE(m_box->Appearance().Check().RaisedBmp().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(m_box->Appearance().Check().DisabledBmp().pixelColor(0, 0), QColor(Qt::gray));
    // Names left empty keep their bitmaps.
    QCOMPARE(m_box->Appearance().Check().SunkenBmp().pixelColor(0, 0), stateColour(5));
    QVERIFY(m_box->LoadUnchecked(folder.path() + "/", "on-off.bmp", "", "", ""));
    QCOMPARE(m_box->Appearance().Uncheck().RaisedBmp().pixelColor(0, 0), QColor(Qt::gray));

    // A file that cannot be read changes nothing.
    QVERIFY(!m_box->LoadGrayed(folder.path(), "on.bmp", "missing.bmp", "", ""));
    QCOMPARE(m_box->Appearance().Gray().RaisedBmp().pixelColor(0, 0), stateColour(8));
}

void TestSkCheckBox::reportsItselfToAssistiveTechnology()
{
    m_box->setAccessibleName(QStringLiteral("Sunday"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(m_box);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::CheckBox);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Sunday"));
    QVERIFY(iface->state().checkable);
    QVERIFY(!iface->state().checked);
    m_box->SetChecked(true);
    QVERIFY(iface->state().checked);
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(!m_box->Checked());
}

QTEST_MAIN(TestSkCheckBox)
#include "tst_sk_check_box.moc"
