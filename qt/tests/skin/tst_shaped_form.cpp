#include "qt/skin/shaped_form.h"
#include "qt/skin/sk_picture.h"
#include "qt/skin/win_region.h"
#include "skin_test_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <memory>

using skintest::sameArea;

namespace {

const QColor keyColour(0, 255, 0);
const QColor discColour(200, 30, 30);

// The main panel's layout: a 330 x 443 window whose 454 x 454 picture lies at (-63, -10).
struct Panel
{
    Panel()
    {
        window = std::make_unique<QWidget>();
        window->resize(330, 443);
        window->move(100, 80);
        picture = new SkPicture(window.get());
        picture->setBitmap(skintest::antiAliasedDisc(454, keyColour, discColour));
        picture->move(-63, -10);
    }
    std::unique_ptr<QWidget> window;
    SkPicture *picture;
};

struct Call
{
    Qt::MouseButton button;
    QPoint pos;
};

} // namespace

class TestShapedForm : public QObject
{
    Q_OBJECT
private slots:
    void windowTakesThePictureOutline();
    void screenShowsOnlyTheOutline();
    void leftPressOnThePictureMovesTheWindow();
    void otherButtonsReachThePreviousHandlerOnly();
    void previousHandlerIsBackAfterDestruction();
};

void TestShapedForm::windowTakesThePictureOutline()
{
    Panel panel;
    ShapedForm form(panel.window.get(), panel.picture);
    QCOMPARE(panel.picture->transparentColor(), keyColour);
    form.Apply();
    QVERIFY(form.applied());
    QVERIFY(panel.window->windowFlags() & Qt::FramelessWindowHint);

    WinRegion expected;
    expected.FromBitmap(panel.picture->bitmap(), keyColour);
    expected.Offset(-63, -10);
    QVERIFY(sameArea(panel.window->mask(), expected.region()));
    // The disc's centre is inside, the window's corner (a corner of the square) is not.
    QVERIFY(panel.window->mask().contains(QPoint(164, 217)));
    QVERIFY(!panel.window->mask().contains(QPoint(0, 0)));
}

void TestShapedForm::screenShowsOnlyTheOutline()
{
    Panel panel;
    ShapedForm form(panel.window.get(), panel.picture);
    form.Apply();
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));

    // What the X server shows where the window lies: the picture inside the outline, whatever
    // lies beneath the window outside it.
    QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint origin = panel.window->mapToGlobal(QPoint(0, 0));
    QImage shot;
    QTRY_VERIFY((shot = screen->grabWindow(0, origin.x(), origin.y(), 330, 443).toImage(),
                 shot.pixelColor(164, 217) == discColour));
    QVERIFY(shot.pixelColor(2, 2) != keyColour);
    QVERIFY(shot.pixelColor(327, 2) != keyColour);
}

void TestShapedForm::leftPressOnThePictureMovesTheWindow()
{
    Panel panel;
    QList<Call> calls;
    panel.picture->SetOnMouseDown(
        [&](QWidget *, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            calls.append({button, QPoint(x, y)});
        });
    ShapedForm form(panel.window.get(), panel.picture);
    form.Apply();
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));
    const QPoint start = panel.window->pos();

    QTest::mousePress(panel.picture, Qt::LeftButton, {}, QPoint(227, 227));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().button, Qt::LeftButton);
    QCOMPARE(calls.first().pos, QPoint(227, 227));
    if (!form.movingByMouse())
        QSKIP("The window manager took the move over; it follows the real pointer only.");
    QTest::mouseMove(panel.picture, QPoint(257, 247));
    QTRY_COMPARE(panel.window->pos(), start + QPoint(30, 20));
    QTest::mouseRelease(panel.picture, Qt::LeftButton, {}, QPoint(257, 247));
    QVERIFY(!form.movingByMouse());
}

void TestShapedForm::otherButtonsReachThePreviousHandlerOnly()
{
    Panel panel;
    QList<Call> calls;
    panel.picture->SetOnMouseDown(
        [&](QWidget *, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
            calls.append({button, QPoint(x, y)});
        });
    ShapedForm form(panel.window.get(), panel.picture);
    form.Apply();
    // A second Apply changes nothing; hooking twice would make the handler call itself.
    form.Apply(QColor(Qt::black));
    QVERIFY(!panel.window->mask().contains(QPoint(0, 0)));
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));
    const QPoint start = panel.window->pos();

    QTest::mousePress(panel.picture, Qt::RightButton, {}, QPoint(100, 120));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.first().button, Qt::RightButton);
    QVERIFY(!form.movingByMouse());
    QTest::mouseMove(panel.picture, QPoint(150, 150));
    QTest::mouseRelease(panel.picture, Qt::RightButton, {}, QPoint(150, 150));
    QCOMPARE(panel.window->pos(), start);
}

void TestShapedForm::previousHandlerIsBackAfterDestruction()
{
    Panel panel;
    int previousCalls = 0;
    panel.picture->SetOnMouseDown(
        [&](QWidget *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++previousCalls; });
    {
        ShapedForm form(panel.window.get(), panel.picture);
        form.Apply();
    }
    const QRegion mask = panel.window->mask();
    QVERIFY(!mask.isEmpty());
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));
    const QPoint start = panel.window->pos();
    QTest::mousePress(panel.picture, Qt::LeftButton, {}, QPoint(227, 227));
    QTest::mouseMove(panel.picture, QPoint(257, 247));
    QTest::mouseRelease(panel.picture, Qt::LeftButton, {}, QPoint(257, 247));
    QCOMPARE(previousCalls, 1);
    QCOMPARE(panel.window->pos(), start);
    // The outline stays.
    QCOMPARE(panel.window->mask(), mask);
}

QTEST_MAIN(TestShapedForm)
#include "tst_shaped_form.moc"
