#include "qt/skin/bmp_led_ctrl.h"
#include "qt/skin/run_subtraction_region.h"
#include "qt/skin/win_region.h"
#include "skin_test_support.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QWidget>

using skintest::sameArea;

class TestWinRegion : public QObject
{
    Q_OBJECT
private slots:
    void rectangleSubtractOffsetContains();
    void copiesOwnTheirArea();
    void oneUnitDifferenceStaysOpaque();
    void runsAtTheRightEdgeAndSinglePixels();
    void allAndNoneTransparent();
    void otherPixelFormatsAreReadAs24BitAndLeftAlone();
    void matchesRunByRunSubtraction_data();
    void matchesRunByRunSubtraction();
    void emptyRegionHidesTheWidget();
    void violatedInvariantStopsWithItsCondition();
};

void TestWinRegion::rectangleSubtractOffsetContains()
{
    WinRegion region;
    QVERIFY(region.isEmpty());
    region.SetRect(0, 0, 10, 5);
    QVERIFY(region.Contains(0, 0));
    QVERIFY(region.Contains(9, 4));
    QVERIFY(!region.Contains(10, 4));
    QVERIFY(!region.Contains(9, 5));

    WinRegion hole;
    hole.SetRect(2, 1, 4, 2);
    region.Subtract(hole);
    QVERIFY(!region.Contains(2, 1));
    QVERIFY(!region.Contains(3, 1));
    QVERIFY(region.Contains(4, 1));
    QVERIFY(region.Contains(2, 2));

    region.Offset(-63, -10);
    QVERIFY(region.Contains(-63, -10));
    QVERIFY(!region.Contains(-61, -9));
    QVERIFY(!region.Contains(0, 0));

    region.SetRect(5, 5, 5, 9);
    QVERIFY(region.isEmpty());
}

void TestWinRegion::copiesOwnTheirArea()
{
    WinRegion original;
    original.SetRect(0, 0, 4, 4);
    WinRegion copy(original);
    copy.Offset(10, 0);
    QVERIFY(original.Contains(0, 0));
    QVERIFY(!copy.Contains(0, 0));
    WinRegion assigned;
    assigned = original;
    original.SetRect(0, 0, 1, 1);
    QVERIFY(assigned.Contains(3, 3));
}

void TestWinRegion::oneUnitDifferenceStaysOpaque()
{
    const QColor key(0x84, 0x83, 0x83);
    QImage image = skintest::solid(6, 1, key);
    image.setPixelColor(1, 0, QColor(0x85, 0x83, 0x83));
    image.setPixelColor(2, 0, QColor(0x84, 0x82, 0x83));
    image.setPixelColor(3, 0, QColor(0x84, 0x83, 0x84));
    WinRegion region;
    // The colour's alpha is no part of the comparison.
    region.FromBitmap(image, QColor(0x84, 0x83, 0x83, 0x10));
    QVERIFY(!region.Contains(0, 0));
    QVERIFY(region.Contains(1, 0));
    QVERIFY(region.Contains(2, 0));
    QVERIFY(region.Contains(3, 0));
    QVERIFY(!region.Contains(4, 0));
    QVERIFY(!region.Contains(5, 0));
}

void TestWinRegion::runsAtTheRightEdgeAndSinglePixels()
{
    const QColor key(Qt::magenta);
    QImage image = skintest::solid(8, 3, Qt::black);
    for (int x = 5; x < 8; ++x)
        image.setPixelColor(x, 0, key);
    image.setPixelColor(3, 1, key);
    image.setPixelColor(0, 2, key);
    image.setPixelColor(7, 2, key);

    WinRegion region;
    region.FromBitmap(image, key);
    QRegion expected(0, 0, 8, 3);
    expected -= QRegion(5, 0, 3, 1);
    expected -= QRegion(3, 1, 1, 1);
    expected -= QRegion(0, 2, 1, 1);
    expected -= QRegion(7, 2, 1, 1);
    QVERIFY(sameArea(region.region(), expected));
    QCOMPARE(region.region().boundingRect(), QRect(0, 0, 8, 3));
}

void TestWinRegion::allAndNoneTransparent()
{
    WinRegion region;
    region.FromBitmap(skintest::solid(7, 5, Qt::green), Qt::green);
    QVERIFY(region.isEmpty());
    region.FromBitmap(skintest::solid(7, 5, Qt::green), Qt::red);
    QVERIFY(sameArea(region.region(), QRegion(0, 0, 7, 5)));
    region.FromBitmap(QImage(), Qt::red);
    QVERIFY(region.isEmpty());
}

void TestWinRegion::otherPixelFormatsAreReadAs24BitAndLeftAlone()
{
    const QImage rgb = skintest::antiAliasedDisc(40, QColor(0x3B, 0x3B, 0x3B), Qt::white);
    const QColor key(0x3B, 0x3B, 0x3B);
    const QRegion reference = regionBySubtractingRuns(rgb, key);

    QImage indexed = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const QImage indexedBefore = indexed.copy();
    WinRegion fromIndexed;
    fromIndexed.FromBitmap(indexed, key);
    QCOMPARE(indexed.format(), QImage::Format_Indexed8);
    QCOMPARE(indexed, indexedBefore);
    QVERIFY(sameArea(fromIndexed.region(),
                     regionBySubtractingRuns(indexed.convertToFormat(QImage::Format_RGB888), key)));

    // A 32-bit bitmap's alpha plays no part: a fully transparent pixel of the key's colour is
    // cut, an opaque pixel of another colour stays.
    QImage argb = rgb.convertToFormat(QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(0x3B, 0x3B, 0x3B, 0));
    const QImage argbBefore = argb.copy();
    WinRegion fromArgb;
    fromArgb.FromBitmap(argb, key);
    QCOMPARE(argb.format(), QImage::Format_ARGB32);
    QCOMPARE(argb, argbBefore);
    QVERIFY(sameArea(fromArgb.region(), reference));
    QVERIFY(!fromArgb.Contains(0, 0));
}

void TestWinRegion::matchesRunByRunSubtraction_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QColor>("key");

    const QColor key(0x15, 0x15, 0x16);
    QTest::newRow("anti-aliased outline")
        << skintest::antiAliasedDisc(454, key, Qt::darkCyan) << key;
    // Noise with long identical stretches of rows, so that merged bands and changing rows mix.
    QImage noise = skintest::solid(97, 61, key);
    QRandomGenerator random(4711);
    for (int y = 0; y < noise.height(); ++y) {
        const bool repeatRow = y > 0 && random.bounded(3) == 0;
        for (int x = 0; x < noise.width(); ++x) {
            if (repeatRow)
                noise.setPixelColor(x, y, noise.pixelColor(x, y - 1));
            else if (random.bounded(2) == 0)
                noise.setPixelColor(x, y, QColor(0x15, 0x15, 0x17));
        }
    }
    QTest::newRow("noise") << noise << key;
    QTest::newRow("one column") << skintest::antiAliasedDisc(1, key, Qt::red) << key;
}

void TestWinRegion::matchesRunByRunSubtraction()
{
    QFETCH(QImage, image);
    QFETCH(QColor, key);
    WinRegion region;
    region.FromBitmap(image, key);
    const QRegion reference = regionBySubtractingRuns(image, key);
    QVERIFY(sameArea(region.region(), reference));
    // The region must also behave like a properly built one in further operations.
    QVERIFY(sameArea(region.region().translated(3, -2), reference.translated(3, -2)));
    QVERIFY(sameArea(region.region().intersected(QRect(10, 10, 30, 30)),
                     reference.intersected(QRect(10, 10, 30, 30))));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool opaque = QColor(image.pixel(x, y)).rgb() != key.rgb();
            if (region.Contains(x, y) != opaque)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestWinRegion::emptyRegionHidesTheWidget()
{
    QWidget parent;
    parent.resize(40, 40);
    auto *child = new QWidget(&parent);
    child->setGeometry(0, 0, 20, 20);
    WinRegion empty;
    empty.ApplyToWindow(child, false);
    QVERIFY(!child->mask().isEmpty());
    QVERIFY(!child->mask().intersects(child->rect()));
    QCOMPARE(parent.childAt(5, 5), nullptr);
}

void TestWinRegion::violatedInvariantStopsWithItsCondition()
{
    if (qEnvironmentVariableIsSet("SKIN_TEST_VIOLATE")) {
        QWidget host;
        TBmpLEDCtrl display(&host, 0);
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SKIN_TEST_VIOLATE"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("violatedInvariantStopsWithItsCondition")});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("Assertion failed: stateCount > 0, file ")),
             qPrintable(errors));
    QVERIFY(errors.contains(QStringLiteral("bmp_led_ctrl.cpp, line ")));
}

QTEST_MAIN(TestWinRegion)
#include "tst_win_region.moc"
