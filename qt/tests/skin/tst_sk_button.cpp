#include "qt/skin/sk_button.h"
#include "qt/skin/sk_button_tx.h"
#include "skin_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

using skintest::shownColour;
using skintest::solid;

namespace {

const QColor raisedColour(200, 0, 0);
const QColor sunkenColour(0, 200, 0);
const QColor focusedColour(0, 0, 200);
const QColor disabledColour(90, 90, 90);

void giveAllLooks(SkButton *button, int size = 16)
{
    button->Appearance().SetRaisedBmp(solid(size, size, raisedColour));
    button->Appearance().SetSunkenBmp(solid(size, size, sunkenColour));
    button->Appearance().SetFocusedBmp(solid(size, size, focusedColour));
    button->Appearance().SetDisabledBmp(solid(size, size, disabledColour));
}

// Counts the pixels of exactly this colour on the surface.
int pixelsOf(const QImage &surface, QColor colour)
{
    int count = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            count += surface.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    return count;
}

} // namespace

class TestSkButton : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void hoverShowsFocusedLeavingShowsRaised();
    void dragOutAndBackInClicksOnlyInside();
    void spaceClicksPerCharacterAndFocusLossReleases();
    void disablingWhilePressedAndHoveredCancelsBoth();
    void emptyLooksFallBackToRaised();
    void changingTheShownBitmapRedrawsAtOnce();
    void sizeIsLockedToTheRaisedBitmap();
    void transparentPixelsLetClicksThrough();
    void clickGivesTheModalResultAndKeysCanBeSwallowed();
    void quickSecondPressIsASecondClick();
    void captionMovesWithThePressOnly();
    void captionChangeLeavesNoTraces();
    void captionColourFollowsTheLook();
    void reportsItselfToAssistiveTechnology();

private:
    QWidget *m_window = nullptr;
    SkButton *m_button = nullptr;
    QWidget *m_elsewhere = nullptr;
};

void TestSkButton::init()
{
    m_window = new QWidget;
    m_window->resize(240, 120);
    m_button = new SkButton(m_window);
    m_button->move(20, 20);
    giveAllLooks(m_button);
    m_elsewhere = new QWidget(m_window);
    m_elsewhere->setGeometry(150, 80, 20, 20);
    m_elsewhere->setFocusPolicy(Qt::StrongFocus);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    // The window gives its first tab stop the focus; the tests start with it elsewhere.
    m_elsewhere->setFocus();
    QTRY_VERIFY(m_elsewhere->hasFocus());
    QTest::mouseMove(m_window, QPoint(200, 10));
}

void TestSkButton::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestSkButton::hoverShowsFocusedLeavingShowsRaised()
{
    QCOMPARE(m_button->shownState(), 0);
    QTest::mouseMove(m_button, QPoint(8, 8));
    QTRY_COMPARE(m_button->shownState(), 2);
    QCOMPARE(shownColour(m_button), focusedColour);
    QTest::mouseMove(m_window, QPoint(200, 10));
    QTRY_COMPARE(m_button->shownState(), 0);
    QCOMPARE(shownColour(m_button), raisedColour);
    // Hovering never grabs the mouse: a click elsewhere goes where it is aimed.
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestSkButton::dragOutAndBackInClicksOnlyInside()
{
    m_button->setFocusPolicy(Qt::NoFocus);
    QSignalSpy clicks(m_button, &SkControl::clicked);
    QTest::mouseMove(m_button, QPoint(8, 8));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(m_button->shownState(), 1);
    QCOMPARE(shownColour(m_button), sunkenColour);

    QTest::mouseMove(m_button, QPoint(40, 8));
    QCOMPARE(m_button->shownState(), 0);
    QTest::mouseMove(m_button, QPoint(8, 8));
    QCOMPARE(m_button->shownState(), 1);
    QTest::mouseMove(m_button, QPoint(-10, 8));
    QCOMPARE(m_button->shownState(), 0);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(-10, 8));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(m_button->shownState(), 0);

    QTest::mouseMove(m_button, QPoint(8, 8));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicks.count(), 1);
    // Released under the pointer: the hover look.
    QCOMPARE(m_button->shownState(), 2);
}

void TestSkButton::spaceClicksPerCharacterAndFocusLossReleases()
{
    QSignalSpy clicks(m_button, &SkControl::clicked);
    m_button->setFocus();
    QTRY_VERIFY(m_button->hasFocus());
    QCOMPARE(m_button->shownState(), 2);

    QTest::keyPress(m_button, Qt::Key_Space);
    QCOMPARE(m_button->shownState(), 1);
    QCOMPARE(clicks.count(), 1);
    // Auto-repeat: a release and a press for every repeated character, the key still down.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(m_button, &repeatRelease);
    QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    QApplication::sendEvent(m_button, &repeatPress);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(m_button->shownState(), 1);
    QTest::keyRelease(m_button, Qt::Key_Space);
    QCOMPARE(m_button->shownState(), 2);

    // Enter is no click.
    QTest::keyClick(m_button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 2);

    QTest::keyPress(m_button, Qt::Key_Space);
    QCOMPARE(m_button->shownState(), 1);
    m_elsewhere->setFocus();
    QTRY_VERIFY(!m_button->hasFocus());
    QCOMPARE(m_button->shownState(), 0);
    QVERIFY(!m_button->isPressed());

    // A click that hides the window while the key is down (an OK button) leaves no press behind.
    m_button->setFocus();
    QTRY_VERIFY(m_button->hasFocus());
    connect(m_button, &SkControl::clicked, m_window, &QWidget::hide);
    QTest::keyPress(m_button, Qt::Key_Space);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_button->isPressed());
    disconnect(m_button, &SkControl::clicked, m_window, &QWidget::hide);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mouseMove(m_button, QPoint(8, 8));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(m_button->shownState(), 1);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(8, 8));
}

void TestSkButton::disablingWhilePressedAndHoveredCancelsBoth()
{
    QSignalSpy clicks(m_button, &SkControl::clicked);
    QTest::mouseMove(m_button, QPoint(8, 8));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(m_button->shownState(), 1);
    m_button->setEnabled(false);
    QCOMPARE(m_button->shownState(), 3);
    QCOMPARE(shownColour(m_button), disabledColour);
    QVERIFY(!m_button->isPressed());
    QVERIFY(!m_button->isHovered());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(m_button->shownState(), 3);

    m_button->setEnabled(true);
    QCOMPARE(m_button->shownState(), 0);
    QCOMPARE(shownColour(m_button), raisedColour);
    QTest::mouseMove(m_button, QPoint(9, 9));
    QTRY_COMPARE(m_button->shownState(), 2);

    // Disabling the parent disables the look too, also of a control made inside it later.
    auto *panel = new QWidget(m_window);
    panel->setGeometry(100, 60, 40, 40);
    panel->show();
    auto *early = new SkButton(panel);
    giveAllLooks(early);
    panel->setEnabled(false);
    auto *late = new SkButton(panel);
    giveAllLooks(late);
    late->show();
    QCOMPARE(early->shownState(), 3);
    QCOMPARE(late->shownState(), 3);
    panel->setEnabled(true);
    QCOMPARE(late->shownState(), 0);
}

void TestSkButton::emptyLooksFallBackToRaised()
{
    auto *plain = new SkButton(m_window);
    plain->move(60, 20);
    plain->setFocusPolicy(Qt::NoFocus);
    plain->Appearance().SetRaisedBmp(solid(16, 16, raisedColour));
    plain->Appearance().SetSunkenBmp(solid(16, 16, sunkenColour));
    plain->show();

    QTest::mouseMove(plain, QPoint(5, 5));
    QTRY_COMPARE(plain->CurrentState(), 2);
    QCOMPARE(plain->shownState(), 0);
    QCOMPARE(shownColour(plain), raisedColour);
    plain->setEnabled(false);
    QCOMPARE(plain->CurrentState(), 3);
    QCOMPARE(plain->shownState(), 0);

    // The missing bitmap arriving later is shown at once for the look asked for.
    plain->Appearance().SetDisabledBmp(solid(16, 16, disabledColour));
    QCOMPARE(plain->shownState(), 3);
    QCOMPARE(shownColour(plain), disabledColour);
}

void TestSkButton::changingTheShownBitmapRedrawsAtOnce()
{
    QTest::mouseMove(m_button, QPoint(8, 8));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(8, 8));
    const QColor yellow(250, 250, 0);
    m_button->Appearance().SetSunkenBmp(solid(16, 16, yellow));
    QCOMPARE(shownColour(m_button), yellow);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(8, 8));
}

void TestSkButton::sizeIsLockedToTheRaisedBitmap()
{
    m_button->setGeometry(30, 25, 50, 50);
    QCOMPARE(m_button->geometry(), QRect(30, 25, 16, 16));
    m_button->resize(3, 90);
    QCOMPARE(m_button->size(), QSize(16, 16));

    m_button->Appearance().SetRaisedBmp(solid(21, 12, raisedColour));
    QCOMPARE(m_button->size(), QSize(21, 12));

    // Without a raised bitmap the control takes any size.
    m_button->Appearance().SetRaisedBmp(QImage());
    m_button->resize(50, 50);
    QCOMPARE(m_button->size(), QSize(50, 50));
}

void TestSkButton::transparentPixelsLetClicksThrough()
{
    auto *beneath = new SkButton(m_window);
    beneath->setGeometry(100, 20, 16, 16);
    beneath->Appearance().SetRaisedBmp(solid(16, 16, raisedColour));
    auto *above = new SkButton(m_window);
    above->setGeometry(100, 20, 16, 16);
    QImage shape = solid(16, 16, Qt::yellow);
    const QColor key(0x83, 0x83, 0x84);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            shape.setPixelColor(x, y, key);
    above->Appearance().SetRaisedBmp(shape);
    above->SetTransparentColor(key);
    beneath->show();
    above->show();
    above->raise();

    QSignalSpy beneathClicks(beneath, &SkControl::clicked);
    QSignalSpy aboveClicks(above, &SkControl::clicked);
    // Opaque everywhere while not transparent.
    QTest::mouseClick(m_window, Qt::LeftButton, {}, QPoint(103, 28));
    QCOMPARE(aboveClicks.count(), 1);
    QCOMPARE(beneathClicks.count(), 0);

    above->SetTransparent(true);
    QVERIFY(!above->HitTest(3, 8));
    QVERIFY(above->HitTest(12, 8));
    QTest::mouseClick(m_window, Qt::LeftButton, {}, QPoint(103, 28));
    QCOMPARE(beneathClicks.count(), 1);
    QCOMPARE(aboveClicks.count(), 1);
    QTest::mouseClick(m_window, Qt::LeftButton, {}, QPoint(112, 28));
    QCOMPARE(aboveClicks.count(), 2);

    // Hovering a transparent pixel is no hover.
    QTest::mouseMove(m_window, QPoint(103, 28));
    QCOMPARE(above->isHovered(), false);
}

void TestSkButton::clickGivesTheModalResultAndKeysCanBeSwallowed()
{
    QDialog dialog;
    auto *ok = new SkButton(&dialog);
    giveAllLooks(ok);
    dialog.setResult(7);
    ok->Click();
    QCOMPARE(dialog.result(), 0);
    ok->SetModalResult(1);
    ok->Click();
    QCOMPARE(dialog.result(), 1);

    // A window that is no dialog keeps it as a property.
    m_button->SetModalResult(2);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(m_window->property("ModalResult").toInt(), 2);

    QSignalSpy clicks(m_button, &SkControl::clicked);
    QString seen;
    m_button->SetOnKeyPress([&seen](QChar &key) {
        seen += key;
        key = QChar();
    });
    m_button->setFocus();
    QTest::keyClick(m_button, Qt::Key_Space);
    QCOMPARE(seen, QStringLiteral(" "));
    QCOMPARE(clicks.count(), 0);
    // The handler may also turn another key into a space.
    m_button->SetOnKeyPress([](QChar &key) { key = QLatin1Char(' '); });
    QTest::keyClick(m_button, Qt::Key_A);
    QCOMPARE(clicks.count(), 1);
}

void TestSkButton::quickSecondPressIsASecondClick()
{
    QSignalSpy clicks(m_button, &SkControl::clicked);
    QSignalSpy doubles(m_button, &SkControl::doubleClicked);
    QSignalSpy downs(m_button, &SkControl::mouseDown);
    QTest::mouseDClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(doubles.count(), 0);
    QCOMPARE(downs.count(), 2);
}

void TestSkButton::captionMovesWithThePressOnly()
{
    auto *text = new SkButtonTx(m_window);
    text->move(100, 40);
    text->setFocusPolicy(Qt::NoFocus);
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    text->setPalette(palette);
    text->Appearance().SetRaisedBmp(solid(104, 25, Qt::black));
    text->Appearance().SetSunkenBmp(solid(104, 25, Qt::black));
    text->Appearance().SetFocusedBmp(solid(104, 25, Qt::black));
    text->SetText(QStringLiteral("Cancel"));
    text->show();
    const QImage raised = text->surface().copy();
    QVERIFY(pixelsOf(raised, Qt::white) > 0);

    QTest::mouseMove(text, QPoint(50, 12));
    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(50, 12));
    const QImage sunken = text->surface().copy();
    QCOMPARE(sunken.copy(1, 1, 103, 24), raised.copy(0, 0, 103, 24));
    QVERIFY(sunken != raised);

    // A repaint while still pressed draws the caption where it is when raised.
    text->SetText(QStringLiteral("Stop"));
    text->SetText(QStringLiteral("Cancel"));
    QCOMPARE(text->surface(), raised);
    QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(50, 12));
}

void TestSkButton::captionChangeLeavesNoTraces()
{
    auto makeButton = [this](const QString &caption) {
        auto *button = new SkButtonTx(m_window);
        QImage bitmap = solid(91, 24, QColor(40, 40, 40));
        bitmap.setPixelColor(45, 12, Qt::red);
        button->Appearance().SetRaisedBmp(bitmap);
        button->SetText(caption);
        return button;
    };
    SkButtonTx *toggled = makeButton(QStringLiteral("Test"));
    toggled->SetText(QStringLiteral("Stop"));
    SkButtonTx *fresh = makeButton(QStringLiteral("Stop"));
    QCOMPARE(toggled->surface(), fresh->surface());
    QCOMPARE(toggled->Caption(), QStringLiteral("Stop"));
}

void TestSkButton::captionColourFollowsTheLook()
{
    auto *text = new SkButtonTx(m_window);
    text->move(20, 60);
    text->setFocusPolicy(Qt::NoFocus);
    QFont bold = text->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    text->setFont(bold);
    QPalette palette = text->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 192, 192));
    text->setPalette(palette);
    text->Appearance().SetRaisedBmp(solid(104, 25, Qt::black));
    text->SetText(QStringLiteral("OK"));
    text->show();
    QVERIFY(pixelsOf(text->surface(), QColor(192, 192, 192)) > 0);

    // No focused bitmap and no Focused colour: the raised bitmap with the font colour.
    QTest::mouseMove(text, QPoint(50, 12));
    QTRY_COMPARE(text->CurrentState(), 2);
    QVERIFY(pixelsOf(text->surface(), QColor(192, 192, 192)) > 0);
    // A Focused colour takes over at once.
    text->FontColors().SetFocused(QColor(255, 200, 0));
    QVERIFY(pixelsOf(text->surface(), QColor(255, 200, 0)) > 0);
    QCOMPARE(pixelsOf(text->surface(), QColor(192, 192, 192)), 0);

    QTest::mouseMove(m_window, QPoint(200, 10));
    text->setEnabled(false);
    const QColor grey = QGuiApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
    QCOMPARE(text->GetFontColorOfCurState(), grey);
    QVERIFY(pixelsOf(text->surface(), grey) > 0);
    text->FontColors().SetDisabled(QColor(98, 98, 98));
    QCOMPARE(text->GetFontColorOfCurState(), QColor(98, 98, 98));
}

void TestSkButton::reportsItselfToAssistiveTechnology()
{
    auto *text = new SkButtonTx(m_window);
    text->Appearance().SetRaisedBmp(solid(40, 20, Qt::black));
    text->SetText(QStringLiteral("OK"));
    text->show();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(text);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("OK"));
    text->setAccessibleName(QStringLiteral("Confirm the alarm time"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Confirm the alarm time"));

    QAccessibleInterface *plain = QAccessible::queryAccessibleInterface(m_button);
    QVERIFY(plain);
    QCOMPARE(plain->role(), QAccessible::Button);
    QVERIFY(!plain->state().checkable);
    QSignalSpy clicks(m_button, &SkControl::clicked);
    QAccessibleActionInterface *action = plain->actionInterface();
    QVERIFY(action);
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
    m_button->setEnabled(false);
    QVERIFY(plain->state().disabled);
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestSkButton)
#include "tst_sk_button.moc"
