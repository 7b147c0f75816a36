// SPDX-License-Identifier: GPL-3.0-or-later

// The overlay, read back pixel by pixel: the copy of the source, where each
// plate's colour comes from, the ink, the order of painting, and boxes that
// must be passed over.
#include "RenderOverlay.h"
#include "Ink.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr QSize kPicture(256, 128);

// Each pixel tells where it is: red = column, green = 2 x row.
QImage positionCoded()
{
    QImage image(kPicture, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x, 2 * y, 200));
    return image;
}

QImage filled(const QColor &colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(kPicture, format);
    image.fill(colour);
    return image;
}

TextItem lineAt(const QRectF &raster, const QString &text = QStringLiteral("source"))
{
    return TextItem{text, normalisedBox(raster, kPicture)};
}

// The plate of a line at `raster`, as the renderer grows it.
QRectF plateOf(const QRectF &raster)
{
    return raster.adjusted(-3, -2, 3, 2);
}

QPoint pixelAt(QPointF p)
{
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

// A sample colour in the stripe of columns 30 to 39, where lines starting at
// column 40 take their plate's colour from, on a background of another colour.
QImage striped(const QColor &sample, const QColor &background, QImage::Format format = QImage::Format_RGB32)
{
    QImage image = filled(background, format);
    for (int y = 0; y < kPicture.height(); ++y)
        for (int x = 30; x < 40; ++x)
            image.setPixelColor(x, y, sample);
    return image;
}

} // namespace

class RenderOverlayTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyItemsGiveAnExactCopy_data()
    {
        QTest::addColumn<QImage>("source");

        QImage withAlpha(kPicture, QImage::Format_ARGB32);
        withAlpha.fill(Qt::transparent);
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 32; ++y) {
                withAlpha.setPixel(x, y, qRgba(200, 100, 50, 128));
                withAlpha.setPixel(x + 64, y, qRgba(x * 4, y * 8, 7, 255));
                withAlpha.setPixel(x + 128, y, qRgba(90, 30, 10, 1));
            }
        QTest::newRow("transparent and half-transparent pixels") << withAlpha;
        QTest::newRow("indexed") << positionCoded().convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("64-bit RGBA") << withAlpha.convertToFormat(QImage::Format_RGBA64);
    }

    void emptyItemsGiveAnExactCopy()
    {
        QFETCH(QImage, source);
        const QImage result = renderOverlay(source, {}, {});
        QCOMPARE(result.size(), source.size());
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (result.pixelColor(x, y) != source.pixelColor(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) changed").arg(x).arg(y)));
    }

    void drawsInSourcePixelsWhateverTheDevicePixelRatio()
    {
        const TextItems items{lineAt(QRectF(40, 50, 120, 20)), lineAt(QRectF(20, 90, 200, 30))};
        const QStringList translated{QStringLiteral("Hello"), QStringLiteral("שלום עולם")};
        QImage hiDpi = positionCoded();
        hiDpi.setDevicePixelRatio(2.0);

        const QImage result = renderOverlay(hiDpi, items, translated);
        QCOMPARE(result.devicePixelRatio(), 1.0);
        QCOMPARE(result, renderOverlay(positionCoded(), items, translated));
    }

    void plateColourIsTheSampleBesideTheLine_data()
    {
        QTest::addColumn<QRectF>("line");
        QTest::addColumn<QPoint>("sample");

        QTest::newRow("3 left of the line, on its middle row") << QRectF(40, 50, 60, 20) << QPoint(37, 60);
        QTest::newRow("exactly 3 from the left edge stays left") << QRectF(3, 50, 60, 20) << QPoint(0, 60);
        QTest::newRow("left off the picture: 3 right of the line") << QRectF(2, 50, 60, 20) << QPoint(65, 60);
        QTest::newRow("right side clamped to the last column") << QRectF(1, 50, 254, 20) << QPoint(255, 60);
        QTest::newRow("middle above the picture: top row") << QRectF(40, -40, 60, 50) << QPoint(37, 0);
    }

    void plateColourIsTheSampleBesideTheLine()
    {
        QFETCH(QRectF, line);
        QFETCH(QPoint, sample);
        const QImage source = positionCoded();
        const QImage result = renderOverlay(source, {lineAt(line)}, {QString()});
        QCOMPARE(result.pixelColor(pixelAt((plateOf(line) & QRectF(source.rect())).center())),
                 source.pixelColor(sample));
    }

    void plateIsTheLineGrownWithRoundedCorners()
    {
        // The line covers columns 40 to 99 and rows 50 to 69; its plate 37 to
        // 102 and 48 to 71, black from the sample pixel.
        QImage source = filled(Qt::white);
        source.setPixelColor(37, 60, Qt::black);
        const QImage result = renderOverlay(source, {lineAt(QRectF(40, 50, 60, 20))}, {QString()});
        const QColor black(0, 0, 0), white(255, 255, 255);
        const QList<std::pair<QPoint, QColor>> expected = {{{37, 55}, black},  {{36, 55}, white}, {{102, 60}, black},
                                                           {{103, 60}, white}, {{70, 48}, black}, {{70, 47}, white},
                                                           {{70, 71}, black},  {{70, 72}, white}, {{38, 49}, black}};
        for (const auto &[pixel, colour] : expected)
            QVERIFY2(result.pixelColor(pixel) == colour,
                     qPrintable(QStringLiteral("%1, %2").arg(pixel.x()).arg(pixel.y())));
        // A square corner would be covered whole.
        QVERIFY(result.pixelColor(37, 48) != black && result.pixelColor(37, 48) != white);
    }

    // A shared source stays as it was; one handed over is painted on where it
    // lies. Either way no plate takes its colour from one painted before.
    void sampleComesFromTheSourceNotFromEarlierPlates_data()
    {
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("shared") << false;
        QTest::newRow("handed over") << true;
    }
    void sampleComesFromTheSourceNotFromEarlierPlates()
    {
        QFETCH(bool, handedOver);
        // The first line's plate takes the yellow of its sample stripe and
        // covers pixel (97, 55), where the second line samples.
        const QImage original = striped(QColor(255, 220, 0), Qt::white);
        QImage source = original.copy();
        const uchar *pixels = source.constBits();
        const QRectF first(40, 40, 120, 30);
        const QRectF second(100, 50, 100, 10);
        const TextItems items{lineAt(first), lineAt(second)};
        const QStringList translated{QStringLiteral("HHHH"), QString()};
        const QImage result =
            handedOver ? renderOverlay(std::move(source), items, translated) : renderOverlay(source, items, translated);

        QCOMPARE(result.pixelColor(pixelAt(plateOf(first).topLeft() + QPointF(2, 10))), QColor(255, 220, 0));
        QCOMPARE(result.pixelColor(pixelAt(second.center())), QColor(Qt::white));
        if (handedOver)
            QCOMPARE(result.constBits(), pixels);
        else
            QCOMPARE(source, original);
    }

    void inkIsBlackOnBrightPlatesAndWhiteOnDark_data()
    {
        QTest::addColumn<QColor>("sample");
        QTest::addColumn<QColor>("ink");

        // Green and magenta are where luma and a plain mean of the channels disagree.
        QTest::newRow("grey 128: luma just above one half") << QColor(128, 128, 128) << QColor(Qt::black);
        QTest::newRow("grey 127: luma just below one half") << QColor(127, 127, 127) << QColor(Qt::white);
        QTest::newRow("green: 0.587") << QColor(0, 255, 0) << QColor(Qt::black);
        QTest::newRow("red and blue: 0.413") << QColor(255, 0, 255) << QColor(Qt::white);
    }

    void inkIsBlackOnBrightPlatesAndWhiteOnDark()
    {
        QFETCH(QColor, sample);
        QFETCH(QColor, ink);
        const QImage source = striped(sample, QColor(20, 140, 200));
        const QRectF line(40, 50, 140, 24);
        const QImage result = renderOverlay(source, {lineAt(line)}, {QStringLiteral("HIHIH")});

        const QRect plate = plateOf(line).toAlignedRect().adjusted(1, 1, -1, -1);
        QCOMPARE(result.pixelColor(plate.left() + 1, plate.center().y()), sample);
        // Every pixel is plate, ink, or antialiased in between.
        const int low = qMin(qGray(sample.rgb()), qGray(ink.rgb())), high = qMax(qGray(sample.rgb()), qGray(ink.rgb()));
        bool inkFound = false;
        for (int y = plate.top(); y <= plate.bottom(); ++y)
            for (int x = plate.left(); x <= plate.right(); ++x) {
                inkFound = inkFound || result.pixelColor(x, y) == ink;
                const int grey = qGray(result.pixel(x, y));
                QVERIFY2(grey >= low - 1 && grey <= high + 1, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
        QVERIFY(inkFound);
    }

    void halfTransparentSampleGivesHalfTransparentPlate()
    {
        QImage source = striped(QColor(0, 0, 255, 128), Qt::transparent, QImage::Format_ARGB32);
        for (int y = 0; y < kPicture.height(); ++y)
            for (int x = 120; x < kPicture.width(); ++x)
                source.setPixelColor(x, y, QColor(255, 0, 0));
        const QImage result = renderOverlay(source, {lineAt(QRectF(40, 50, 140, 20))}, {QString()});

        QVERIFY(near(result.pixelColor(60, 60), QColor(0, 0, 255, 128), 1));
        // Over the opaque red half the plate lets the red through.
        QVERIFY(near(result.pixelColor(150, 60), QColor(127, 0, 128, 255), 2));
        QCOMPARE(result.pixelColor(60, 100), QColor(Qt::transparent));
    }

    void lineWithoutATranslationKeepsItsText()
    {
        const QImage source = filled(Qt::white);
        const TextItems items{lineAt(QRectF(20, 20, 200, 30), "one"), lineAt(QRectF(20, 70, 200, 30), "two")};
        const QImage expected = renderOverlay(renderOverlay(source, {items[0]}, {"Alpha"}), {items[1]}, {"two"});
        QCOMPARE(renderOverlay(source, items, {"Alpha"}), expected);
    }

    void laterPlatesCoverEarlierText()
    {
        const QImage source = filled(Qt::white);
        const QRectF first(40, 40, 160, 30);
        const QRectF second(120, 30, 120, 50);
        const TextItem writing = lineAt(first);
        const TextItem blank = lineAt(second);
        const QString text = QStringLiteral("HHHHHHHHHHHH");
        const QRect overlap = plateOf(second).toAlignedRect() & plateOf(first).toAlignedRect();
        const QRect firstOnly(first.left(), first.top(), overlap.left() - first.left() - 4, first.height());

        const QImage blankLast = renderOverlay(source, {writing, blank}, {text, QString()});
        QVERIFY(!ink::extentIn(blankLast, firstOnly).isEmpty());
        QVERIFY(ink::extentIn(blankLast, overlap).isEmpty());

        const QImage writingLast = renderOverlay(source, {blank, writing}, {QString(), text});
        QVERIFY(!ink::extentIn(writingLast, overlap).isEmpty());
    }

    void boxWithNegativeSizeIsItsMirrorImage()
    {
        const QImage source = positionCoded();
        const QRectF box = lineAt(QRectF(40, 50, 140, 20)).box;
        const QRectF mirrored(box.right(), box.bottom(), -box.width(), -box.height());
        const QString text = QStringLiteral("Mirror");
        QCOMPARE(renderOverlay(source, {TextItem{text, mirrored}}, {}),
                 renderOverlay(source, {TextItem{text, box}}, {}));
    }

    void unusableBoxesArePassedOver_data()
    {
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<bool>("drawn");

        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("x not a number") << QRectF(std::numeric_limits<double>::quiet_NaN(), 0.2, 0.5, 0.1) << false;
        QTest::newRow("width infinite") << QRectF(0.1, 0.2, inf, 0.1) << false;
        QTest::newRow("height a million pictures") << QRectF(0.1, 0.2, 0.5, 1e6) << false;
        QTest::newRow("x far to the left") << QRectF(-1e20, 0.2, 0.5, 0.1) << false;
        QTest::newRow("zero width, drawn") << QRectF(0.5, 0.5, 0.0, 0.2) << true;
        QTest::newRow("four pictures tall, drawn") << QRectF(0.1, -1.5, 0.02, 4.0) << true;
    }

    void unusableBoxesArePassedOver()
    {
        QFETCH(QRectF, box);
        QFETCH(bool, drawn);
        // Even a translation that fits nowhere must finish.
        const QString text =
            QStringLiteral("a long translation that cannot fit anywhere, again and again; ").repeated(10);
        const QImage source = positionCoded();
        const TextItem good = lineAt(QRectF(40, 50, 140, 20));
        const TextItem bad{QStringLiteral("bad"), box};
        const QImage expected = renderOverlay(source, {good}, {QStringLiteral("good")});
        const QImage result = renderOverlay(source, {bad, good, bad}, {text, QStringLiteral("good"), text});
        QCOMPARE(result.size(), source.size());
        QCOMPARE(result == expected, !drawn);
    }
};

QTEST_MAIN(RenderOverlayTest)
#include "RenderOverlayTest.moc"
