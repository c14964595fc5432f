#include "qt/skin/sk_radio_button.h"
#include "skin_test_support.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

using skintest::shownColour;
using skintest::solid;

namespace {

QColor stateColour(int index)
{
    return QColor(30 * index, 250 - 30 * index, 90);
}

// The AM and PM buttons store the raised and the disabled bitmap of both groups.
SkRadioButton *radio(QWidget *parent, QPoint at)
{
    auto *button = new SkRadioButton(parent);
    button->move(at);
    for (int index : {0, 3, 4, 7})
        button->FillStateBitmap(index, solid(35, 12, stateColour(index)));
    return button;
}

} // namespace

// A radio button of its own class: checking a SkRadioButton leaves it alone.
class FancyRadioButton : public SkRadioButton
{
    Q_OBJECT
public:
    using SkRadioButton::SkRadioButton;
};

class TestSkRadioButton : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void checkingUnchecksTheSiblingsOnly();
    void uncheckingLeavesTheOthers();
    void clicksAndDoubleClicksCheck();
    void spaceChecks();
    void disabledLookFollowsTheGroup();
    void reportsItselfToAssistiveTechnology();

private:
    QWidget *m_window = nullptr;
    SkRadioButton *m_am = nullptr;
    SkRadioButton *m_pm = nullptr;
    SkRadioButton *m_elsewhere = nullptr;
};

void TestSkRadioButton::init()
{
    m_window = new QWidget;
    m_window->resize(393, 283);
    m_am = radio(m_window, QPoint(279, 179));
    m_pm = radio(m_window, QPoint(279, 192));
    auto *panel = new QWidget(m_window);
    panel->setGeometry(10, 10, 100, 100);
    m_elsewhere = radio(panel, QPoint(5, 5));
    m_elsewhere->SetChecked(true);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mouseMove(m_window, QPoint(380, 270));
}

void TestSkRadioButton::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestSkRadioButton::checkingUnchecksTheSiblingsOnly()
{
    auto *fancy = new FancyRadioButton(m_window);
    fancy->SetChecked(true);
    QSignalSpy amClicks(m_am, &SkControl::clicked);

    m_am->SetChecked(true);
    QVERIFY(m_am->Checked());
    QTest::mouseClick(m_pm, Qt::LeftButton, {}, QPoint(10, 6));
    QVERIFY(m_pm->Checked());
    QVERIFY(!m_am->Checked());
    m_am->SetChecked(true);
    QVERIFY(!m_pm->Checked());
    QCOMPARE(amClicks.count(), 0);

    QVERIFY(m_elsewhere->Checked());
    QVERIFY(fancy->Checked());
}

void TestSkRadioButton::uncheckingLeavesTheOthers()
{
    m_pm->SetChecked(true);
    m_pm->SetChecked(false);
    QVERIFY(!m_am->Checked());
    QVERIFY(!m_pm->Checked());
    // Checking a checked button again still unchecks a sibling that was checked behind its back.
    m_am->SetChecked(true);
    m_pm->SetChecked(true);
    m_pm->SetChecked(true);
    QVERIFY(!m_am->Checked());
}

void TestSkRadioButton::clicksAndDoubleClicksCheck()
{
    QSignalSpy clicks(m_pm, &SkControl::clicked);
    QSignalSpy doubles(m_pm, &SkControl::doubleClicked);
    QTest::mouseClick(m_pm, Qt::LeftButton, {}, QPoint(10, 6));
    QTest::mouseClick(m_pm, Qt::LeftButton, {}, QPoint(10, 6));
    QVERIFY(m_pm->Checked());
    QCOMPARE(clicks.count(), 2);

    m_pm->SetChecked(false);
    QTest::mouseDClick(m_pm, Qt::LeftButton, {}, QPoint(10, 6));
    QVERIFY(m_pm->Checked());
    QCOMPARE(clicks.count(), 3);
    QCOMPARE(doubles.count(), 1);
}

void TestSkRadioButton::spaceChecks()
{
    QSignalSpy clicks(m_am, &SkControl::clicked);
    m_pm->SetChecked(true);
    m_am->setFocus();
    QTRY_VERIFY(m_am->hasFocus());
    QTest::keyClick(m_am, Qt::Key_Space);
    QVERIFY(m_am->Checked());
    QVERIFY(!m_pm->Checked());
    QCOMPARE(clicks.count(), 1);
}

void TestSkRadioButton::disabledLookFollowsTheGroup()
{
    m_am->SetChecked(true);
    m_am->setEnabled(false);
    m_pm->setEnabled(false);
    QCOMPARE(m_am->shownState(), 7);
    QCOMPARE(shownColour(m_am), stateColour(7));
    QCOMPARE(m_pm->shownState(), 3);
    m_pm->SetChecked(true);
    QCOMPARE(m_pm->shownState(), 7);
    QCOMPARE(m_am->shownState(), 3);
    // No focused bitmap in either group: hover shows the raised one of the group.
    m_pm->setEnabled(true);
    QTest::mouseMove(m_pm, QPoint(10, 6));
    QTRY_COMPARE(m_pm->CurrentState(), 6);
    QCOMPARE(m_pm->shownState(), 4);
}

void TestSkRadioButton::reportsItselfToAssistiveTechnology()
{
    m_am->setAccessibleName(QStringLiteral("AM"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(m_am);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::RadioButton);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("AM"));
    QVERIFY(iface->state().checkable);
    QVERIFY(!iface->state().checked);
    m_am->SetChecked(true);
    QVERIFY(iface->state().checked);
}

QTEST_MAIN(TestSkRadioButton)
#include "tst_sk_radio_button.moc"
