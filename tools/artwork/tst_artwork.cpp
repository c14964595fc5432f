#include "tools/artwork/background_painter.h"
#include "tools/artwork/bitmap_table.h"
#include "tools/artwork/stroke_font.h"

#include <QDirIterator>
#include <QImage>
#include <QSet>
#include <QTest>

using artwork::Bitmap;

namespace {

// The committed pictures, read from the source tree.
const QString root = QStringLiteral(VESPERIN_ARTWORK_IMAGES "/");

// Painting may round a unit differently on another processor; anything more
// is a change of the artwork that was not regenerated.
constexpr int rounding = 2;

bool sameRgb(QRgb a, QRgb b)
{
    return (a & 0xFFFFFFu) == (b & 0xFFFFFFu);
}

int channelDistance(QRgb a, QRgb b)
{
    return qMax(qAbs(qRed(a) - qRed(b)),
                qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}

QImage committed(const Bitmap &b)
{
    return QImage(root + b.file()).convertToFormat(QImage::Format_RGB32);
}

const Bitmap &backgroundOf(const QString &window)
{
    for (const Bitmap &b : artwork::bitmaps())
        if (b.background && b.window == window)
            return b;
    qFatal("no background for %s", qPrintable(window));
}

enum class Rows
{
    All,
    Backgrounds,
    Controls
};

void addRowPerBitmap(Rows rows)
{
    QTest::addColumn<int>("index");
    const auto &table = artwork::bitmaps();
    for (int i = 0; i < int(table.size()); ++i) {
        const bool background = table[i].background;
        if (rows == Rows::All || background == (rows == Rows::Backgrounds))
            QTest::newRow(qPrintable(table[i].file())) << i;
    }
}

// The mean difference of two bitmaps of one size, per channel, 0 to 255.
double meanDistance(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void resourcesHoldExactlyTheTable()
    {
        QSet<QString> declared;
        for (const Bitmap &b : artwork::bitmaps()) {
            QVERIFY2(!declared.contains(b.file()), qPrintable("twice: " + b.file()));
            declared.insert(b.file());
        }
        QSet<QString> present;
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            present.insert(it.next().mid(root.size()));
        QCOMPARE(present, declared);
    }

    void bitmapHasItsSizeAndKey_data() { addRowPerBitmap(Rows::All); }
    void bitmapHasItsSizeAndKey()
    {
        QFETCH(int, index);
        const Bitmap &b = artwork::bitmaps()[size_t(index)];
        const QImage image(root + b.file());
        QVERIFY(!image.isNull());
        QVERIFY(!image.hasAlphaChannel());
        QCOMPARE(image.size(), b.size);
        QVERIFY(sameRgb(image.pixel(0, image.height() - 1), b.key));
    }

    void generatorReproducesTheCommittedBitmap_data() { addRowPerBitmap(Rows::All); }
    void generatorReproducesTheCommittedBitmap()
    {
        QFETCH(int, index);
        const Bitmap &b = artwork::bitmaps()[size_t(index)];
        const QImage fresh = artwork::render(b);
        const QImage stored = committed(b);
        QCOMPARE(fresh.size(), stored.size());
        int worst = 0;
        for (int y = 0; y < fresh.height(); ++y) {
            for (int x = 0; x < fresh.width(); ++x) {
                const QRgb f = fresh.pixel(x, y);
                const QRgb s = stored.pixel(x, y);
                // Whether a pixel is cut away must not depend on rounding.
                QVERIFY2(sameRgb(f, b.key) == sameRgb(s, b.key),
                         qPrintable(QString("key differs at %1,%2").arg(x).arg(y)));
                worst = qMax(worst, channelDistance(f, s));
            }
        }
        QVERIFY2(worst <= rounding,
                 qPrintable(QString("differs by %1; run tools/make-artwork.sh").arg(worst)));
    }

    // Where the outline cuts, the remaining pixels must be dark: a light pixel
    // there is a halo on a dark desktop, and anything blended toward the key
    // colour would be a coloured seam.
    void backgroundEdgeIsDark_data() { addRowPerBitmap(Rows::Backgrounds); }
    void backgroundEdgeIsDark()
    {
        QFETCH(int, index);
        const Bitmap &b = artwork::bitmaps()[size_t(index)];
        const QImage image = committed(b);
        const auto cut = [&](int x, int y) {
            return x < 0 || y < 0 || x >= image.width() || y >= image.height() ||
                   sameRgb(image.pixel(x, y), b.key);
        };
        int edgePixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (cut(x, y) ||
                    !(cut(x - 1, y) || cut(x + 1, y) || cut(x, y - 1) || cut(x, y + 1)))
                    continue;
                ++edgePixels;
                const QRgb c = image.pixel(x, y);
                QVERIFY2(qMax(qRed(c), qMax(qGreen(c), qBlue(c))) <= 0x30,
                         qPrintable(QString("light edge pixel at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(edgePixels > 0);
    }

    // The window shows its picture only through its client area: any part of
    // the outline outside it would be cut off by the window itself, and the
    // corners must be cut so that the window is not a plain rectangle.
    void backgroundFitsTheClientArea_data() { addRowPerBitmap(Rows::Backgrounds); }
    void backgroundFitsTheClientArea()
    {
        QFETCH(int, index);
        const Bitmap &b = artwork::bitmaps()[size_t(index)];
        const artwork::Window &w = artwork::window(b.window);
        const QRect visible(-w.picture, w.client);
        const QImage image = committed(b);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!visible.contains(x, y))
                    QVERIFY2(sameRgb(image.pixel(x, y), b.key),
                             qPrintable(QString("opaque outside at %1,%2").arg(x).arg(y)));
        for (const QPoint corner :
             {visible.topLeft(), visible.topRight(), visible.bottomLeft(), visible.bottomRight()})
            QVERIFY(sameRgb(image.pixel(corner), b.key));
    }

    // A control shows its key colour as the surface around its shape, so the
    // background under those pixels must be that colour (within a shade), or
    // the control shows as a patch.
    void controlSitsOnItsSurface_data() { addRowPerBitmap(Rows::Controls); }
    void controlSitsOnItsSurface()
    {
        QFETCH(int, index);
        const Bitmap &b = artwork::bitmaps()[size_t(index)];
        const artwork::Window &w = artwork::window(b.window);
        const QImage back = committed(backgroundOf(b.window));
        const QImage image = committed(b);
        const QPoint origin = b.position - w.picture;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!sameRgb(image.pixel(x, y), b.key))
                    continue;
                const QRgb under = back.pixel(origin + QPoint(x, y));
                QVERIFY2(channelDistance(under, b.key) <= 4,
                         qPrintable(QString("surface %1 under %2,%3")
                                        .arg(under & 0xFFFFFFu, 6, 16, QChar(u'0'))
                                        .arg(x)
                                        .arg(y)));
            }
        }
    }

    // Every state of a control must be told apart at a glance from every other
    // state of the same control; the AM and PM lamps must differ too.
    void statesOfAControlDiffer()
    {
        QMap<QString, QList<const Bitmap *>> byControl;
        for (const Bitmap &b : artwork::bitmaps())
            if (!b.state.isEmpty())
                byControl[b.window + '/' + b.control].append(&b);
        QVERIFY(byControl.size() > 20);
        for (const auto &states : std::as_const(byControl)) {
            for (int i = 0; i < states.size(); ++i)
                for (int j = i + 1; j < states.size(); ++j)
                    QVERIFY2(meanDistance(committed(*states[i]), committed(*states[j])) > 6,
                             qPrintable(states[i]->file() + " looks like " + states[j]->file()));
        }
        for (const QString state : {"checked_raised", "unchecked_raised"}) {
            const QImage am(root + "frmSetTime/skrAM_" + state + ".png");
            const QImage pm(root + "frmSetTime/skrPM_" + state + ".png");
            QVERIFY(meanDistance(am, pm) > 1);
        }
    }

    void cutOutKeysOnlyUntouchedPixels()
    {
        const QRgb key = qRgb(0xFF, 0x00, 0xFF);
        const QRgb rim = qRgb(0x10, 0x10, 0x10);
        QImage layer(4, 1, QImage::Format_ARGB32_Premultiplied);
        layer.setPixel(0, 0, qRgba(0, 0, 0, 0));
        layer.setPixel(1, 0, qRgba(0x80, 0x80, 0x80, 0xFF));
        layer.setPixel(2, 0, qRgba(0x80, 0x80, 0x80, 0x80)); // half covered, premultiplied
        layer.setPixel(3, 0, key);                           // painted exactly in the key
        const QImage out = artwork::cutOut(layer, key, rim);
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QVERIFY(sameRgb(out.pixel(0, 0), key));
        QVERIFY(sameRgb(out.pixel(1, 0), qRgb(0x80, 0x80, 0x80)));
        // Half of the rim shows through: darker than the paint, never the key.
        QVERIFY(sameRgb(out.pixel(2, 0), qRgb(0x88, 0x88, 0x88)));
        QVERIFY(!sameRgb(out.pixel(3, 0), key));
        QVERIFY(channelDistance(out.pixel(3, 0), key) <= 1);
    }

    // Centred lettering relies on the measured width matching the drawn one.
    void strokeTextWidthMatchesItsPath()
    {
        for (const QString text : {"AM", "PM", "VESPERIN", "I"}) {
            const QRectF drawn = artwork::strokeText(text, {3, 4}, 9, 2.5).boundingRect();
            QCOMPARE(drawn.left(), 3.0);
            QCOMPARE(drawn.top(), 4.0);
            QVERIFY2(qAbs(drawn.width() - artwork::strokeTextWidth(text, 9, 2.5)) < 0.01,
                     qPrintable(text));
        }
    }

    void surfaceIsFlat()
    {
        for (const artwork::Surface &s : artwork::surfaces()) {
            const artwork::Window &w = artwork::window(s.window);
            const QImage back = committed(backgroundOf(s.window));
            const QRect r = s.rect.translated(-w.picture);
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    QVERIFY2(sameRgb(back.pixel(x, y), s.colour),
                             qPrintable(
                                 QString("%1 %2 at %3,%4").arg(s.window, s.control).arg(x).arg(y)));
        }
    }
};

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
