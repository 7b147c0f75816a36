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
    return TextItem{text, ink::boxFor(raster, kPicture)};
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

// Whether `c` lies between `from` and `to`, as antialiased ink on a plate does.
bool between(const QColor &c, const QColor &from, const QColor &to)
{
    const double span[3] = {double(to.red() - from.red()), double(to.green() - from.green()),
                            double(to.blue() - from.blue())};
    const double offset[3] = {double(c.red() - from.red()), double(c.green() - from.green()),
                              double(c.blue() - from.blue())};
    const double length2 = span[0] * span[0] + span[1] * span[1] + span[2] * span[2];
    const double t = length2 > 0 ? (offset[0] * span[0] + offset[1] * span[1] + offset[2] * span[2]) / length2 : 0;
    for (int i = 0; i < 3; ++i)
        if (std::abs(offset[i] - t * span[i]) > 2.0)
            return false;
    return t >= -0.01 && t <= 1.01;
}

} // namespace

class RenderOverlayTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyItemsGiveAnExactCopy_data();
    void emptyItemsGiveAnExactCopy();
    void drawsInSourcePixelsWhateverTheDevicePixelRatio();
    void plateColourIsTheSampleBesideTheLine_data();
    void plateColourIsTheSampleBesideTheLine();
    void plateIsTheLineGrownWithRoundedCorners_data();
    void plateIsTheLineGrownWithRoundedCorners();
    void sampleComesFromTheSourceNotFromEarlierPlates();
    void inkIsBlackOnBrightPlatesAndWhiteOnDark_data();
    void inkIsBlackOnBrightPlatesAndWhiteOnDark();
    void halfTransparentSampleGivesHalfTransparentPlate();
    void emptyStringBlanksTheLine();
    void stringsArePairedWithItemsByPosition_data();
    void stringsArePairedWithItemsByPosition();
    void laterPlatesCoverEarlierText();
    void boxWithNegativeSizeIsItsMirrorImage();
    void unusableBoxesArePassedOver_data();
    void unusableBoxesArePassedOver();
    void degenerateBoxesStillFinish_data();
    void degenerateBoxesStillFinish();
};

void RenderOverlayTest::emptyItemsGiveAnExactCopy_data()
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
    QTest::newRow("opaque RGB") << positionCoded();
    QTest::newRow("premultiplied") << positionCoded().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QTest::newRow("grey") << positionCoded().convertToFormat(QImage::Format_Grayscale8);
    QTest::newRow("indexed") << positionCoded().convertToFormat(QImage::Format_Indexed8);
    QTest::newRow("16-bit RGB") << positionCoded().convertToFormat(QImage::Format_RGB16);
    QTest::newRow("64-bit RGBA") << withAlpha.convertToFormat(QImage::Format_RGBA64);
}

void RenderOverlayTest::emptyItemsGiveAnExactCopy()
{
    QFETCH(QImage, source);
    const QImage result = renderOverlay(source, {}, {});
    QCOMPARE(result.size(), source.size());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (result.pixelColor(x, y) != source.pixelColor(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) changed").arg(x).arg(y)));
}

void RenderOverlayTest::drawsInSourcePixelsWhateverTheDevicePixelRatio()
{
    const TextItems items{lineAt(QRectF(40, 50, 120, 20)), lineAt(QRectF(20, 90, 200, 30))};
    const QStringList translated{QStringLiteral("Hello"), QStringLiteral("שלום עולם")};
    QImage hiDpi = positionCoded();
    hiDpi.setDevicePixelRatio(2.0);

    const QImage result = renderOverlay(hiDpi, items, translated);
    QCOMPARE(result.size(), kPicture);
    QCOMPARE(result.devicePixelRatio(), 1.0);
    QCOMPARE(result, renderOverlay(positionCoded(), items, translated));
}

void RenderOverlayTest::plateColourIsTheSampleBesideTheLine_data()
{
    QTest::addColumn<QRectF>("line");
    QTest::addColumn<QPoint>("sample");

    QTest::newRow("3 left of the line, on its middle row") << QRectF(40, 50, 60, 20) << QPoint(37, 60);
    QTest::newRow("fractions truncated") << QRectF(40.75, 50.5, 60, 20) << QPoint(37, 60);
    QTest::newRow("exactly 3 from the left edge stays left") << QRectF(3, 50, 60, 20) << QPoint(0, 60);
    QTest::newRow("left off the picture: 3 right of the line") << QRectF(2, 50, 60, 20) << QPoint(65, 60);
    QTest::newRow("line starting left of the picture") << QRectF(-10, 50, 30, 20) << QPoint(23, 60);
    QTest::newRow("right side clamped to the last column") << QRectF(1, 50, 254, 20) << QPoint(255, 60);
    QTest::newRow("middle above the picture: top row") << QRectF(40, -40, 60, 50) << QPoint(37, 0);
    QTest::newRow("middle below the picture: bottom row") << QRectF(40, 120, 60, 50) << QPoint(37, 127);
}

void RenderOverlayTest::plateColourIsTheSampleBesideTheLine()
{
    QFETCH(QRectF, line);
    QFETCH(QPoint, sample);
    const QImage source = positionCoded();
    const QImage result = renderOverlay(source, {lineAt(line)}, {QString()});

    const QPoint probe = pixelAt((plateOf(line) & QRectF(source.rect())).center());
    const QColor plate = result.pixelColor(probe);
    QCOMPARE(plate, source.pixelColor(sample));
}

void RenderOverlayTest::plateIsTheLineGrownWithRoundedCorners_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QString>("expected");

    // The line covers columns 40 to 99 and rows 50 to 69; its plate 37 to
    // 102 and 48 to 71. A square corner pixel would be covered whole.
    QTest::newRow("left margin") << QPoint(37, 55) << "plate";
    QTest::newRow("left of the margin") << QPoint(36, 55) << "source";
    QTest::newRow("right margin") << QPoint(102, 60) << "plate";
    QTest::newRow("right of the margin") << QPoint(103, 60) << "source";
    QTest::newRow("top margin") << QPoint(70, 48) << "plate";
    QTest::newRow("above the margin") << QPoint(70, 47) << "source";
    QTest::newRow("bottom margin") << QPoint(70, 71) << "plate";
    QTest::newRow("below the margin") << QPoint(70, 72) << "source";
    QTest::newRow("rounded top-left corner") << QPoint(37, 48) << "partly";
    QTest::newRow("rounded bottom-right corner") << QPoint(102, 71) << "partly";
    QTest::newRow("inside the top-left rounding") << QPoint(38, 49) << "plate";
}

void RenderOverlayTest::plateIsTheLineGrownWithRoundedCorners()
{
    QFETCH(QPoint, pixel);
    QFETCH(QString, expected);
    QImage source = filled(Qt::white);
    source.setPixelColor(37, 60, QColor(0, 0, 0)); // the sample pixel: a black plate
    const QImage result = renderOverlay(source, {lineAt(QRectF(40, 50, 60, 20))}, {QString()});
    const QColor c = result.pixelColor(pixel);
    if (expected == QLatin1String("plate"))
        QCOMPARE(c, QColor(0, 0, 0));
    else if (expected == QLatin1String("source"))
        QCOMPARE(c, source.pixelColor(pixel));
    else
        QVERIFY2(c != QColor(0, 0, 0) && c != source.pixelColor(pixel), qPrintable(c.name()));
}

void RenderOverlayTest::sampleComesFromTheSourceNotFromEarlierPlates()
{
    // The first line's plate takes the yellow of its sample stripe and
    // covers pixel (97, 55), where the second line samples.
    QImage source = filled(Qt::white);
    for (int y = 0; y < kPicture.height(); ++y)
        for (int x = 30; x < 40; ++x)
            source.setPixelColor(x, y, QColor(255, 220, 0));
    const QRectF first(40, 40, 120, 30);
    const QRectF second(100, 50, 100, 10);
    const QImage result = renderOverlay(source, {lineAt(first), lineAt(second)}, {QStringLiteral("HHHH"), QString()});

    QCOMPARE(result.pixelColor(pixelAt(plateOf(first).topLeft() + QPointF(2, 10))), QColor(255, 220, 0));
    QCOMPARE(result.pixelColor(pixelAt(second.center())), QColor(Qt::white));
}

void RenderOverlayTest::inkIsBlackOnBrightPlatesAndWhiteOnDark_data()
{
    QTest::addColumn<QColor>("sample");
    QTest::addColumn<QColor>("ink");

    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    QTest::newRow("white") << white << black;
    QTest::newRow("black") << black << white;
    QTest::newRow("grey 128: luma just above one half") << QColor(128, 128, 128) << black;
    QTest::newRow("grey 127: luma just below one half") << QColor(127, 127, 127) << white;
    QTest::newRow("red: 0.299") << QColor(255, 0, 0) << white;
    QTest::newRow("green: 0.587") << QColor(0, 255, 0) << black;
    QTest::newRow("blue: 0.114") << QColor(0, 0, 255) << white;
    QTest::newRow("yellow: 0.886") << QColor(255, 255, 0) << black;
    QTest::newRow("red and blue: 0.413") << QColor(255, 0, 255) << white;
}

void RenderOverlayTest::inkIsBlackOnBrightPlatesAndWhiteOnDark()
{
    QFETCH(QColor, sample);
    QFETCH(QColor, ink);
    // The line itself is a colour of its own; only the stripe beside it has
    // the sample colour.
    QImage source = filled(QColor(20, 140, 200));
    for (int y = 0; y < kPicture.height(); ++y)
        for (int x = 30; x < 40; ++x)
            source.setPixelColor(x, y, sample);
    const QRectF line(40, 50, 140, 24);
    const QImage result = renderOverlay(source, {lineAt(line)}, {QStringLiteral("HIHIH")});

    const QRect plate = plateOf(line).toAlignedRect().adjusted(1, 1, -1, -1);
    QCOMPARE(result.pixelColor(plate.left() + 1, plate.center().y()), sample);
    bool inkFound = false;
    for (int y = plate.top(); y <= plate.bottom(); ++y) {
        for (int x = plate.left(); x <= plate.right(); ++x) {
            const QColor c = result.pixelColor(x, y);
            inkFound = inkFound || c == ink;
            if (!between(c, sample, ink))
                QFAIL(qPrintable(
                    QStringLiteral("pixel (%1, %2) = %3 is neither plate nor ink").arg(x).arg(y).arg(c.name())));
        }
    }
    QVERIFY(inkFound);
}

void RenderOverlayTest::halfTransparentSampleGivesHalfTransparentPlate()
{
    QImage source = filled(Qt::transparent, QImage::Format_ARGB32);
    for (int y = 0; y < kPicture.height(); ++y) {
        for (int x = 30; x < 40; ++x)
            source.setPixelColor(x, y, QColor(0, 0, 255, 128));
        for (int x = 120; x < kPicture.width(); ++x)
            source.setPixelColor(x, y, QColor(255, 0, 0));
    }
    const QImage result = renderOverlay(source, {lineAt(QRectF(40, 50, 140, 20))}, {QString()});

    QVERIFY(near(result.pixelColor(60, 60), QColor(0, 0, 255, 128), 1));
    // Over the opaque red half the plate lets the red through.
    QVERIFY(near(result.pixelColor(150, 60), QColor(127, 0, 128, 255), 2));
    QCOMPARE(result.pixelColor(60, 100), QColor(Qt::transparent));
}

void RenderOverlayTest::emptyStringBlanksTheLine()
{
    QImage source = filled(Qt::white);
    const QRectF line(40, 50, 140, 20);
    for (int y = 52; y < 68; ++y)
        for (int x = 42; x < 178; x += 3)
            source.setPixelColor(x, y, Qt::black); // the old text
    const QImage result = renderOverlay(source, {lineAt(line)}, {QString()});
    QVERIFY(ink::extentIn(result, plateOf(line).toAlignedRect(), Qt::white).isEmpty());
    QVERIFY(!ink::extentIn(source, plateOf(line).toAlignedRect(), Qt::white).isEmpty());
}

void RenderOverlayTest::stringsArePairedWithItemsByPosition_data()
{
    QTest::addColumn<QStringList>("translated");
    QTest::addColumn<QStringList>("written");

    const QString a = QStringLiteral("Alpha");
    const QString b = QStringLiteral("Beta");
    QTest::newRow("one each") << QStringList{a, b} << QStringList{a, b};
    QTest::newRow("none: every line keeps its text") << QStringList{} << QStringList{"one", "two"};
    QTest::newRow("shorter: the rest keep their text") << QStringList{a} << QStringList{a, "two"};
    QTest::newRow("longer: the extra ones are ignored") << QStringList{a, b, "Gamma"} << QStringList{a, b};
}

void RenderOverlayTest::stringsArePairedWithItemsByPosition()
{
    QFETCH(QStringList, translated);
    QFETCH(QStringList, written);
    const QImage source = filled(Qt::white);
    const TextItems items{lineAt(QRectF(20, 20, 200, 30), "one"), lineAt(QRectF(20, 70, 200, 30), "two")};

    QImage expected = source.copy();
    for (int i = 0; i < items.size(); ++i)
        expected = renderOverlay(expected, {items.at(i)}, {written.at(i)});
    QCOMPARE(renderOverlay(source, items, translated), expected);
}

void RenderOverlayTest::laterPlatesCoverEarlierText()
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
    QVERIFY(!ink::extentIn(blankLast, firstOnly, Qt::white).isEmpty());
    QVERIFY(ink::extentIn(blankLast, overlap, Qt::white).isEmpty());

    const QImage writingLast = renderOverlay(source, {blank, writing}, {QString(), text});
    QVERIFY(!ink::extentIn(writingLast, overlap, Qt::white).isEmpty());
}

void RenderOverlayTest::boxWithNegativeSizeIsItsMirrorImage()
{
    const QImage source = positionCoded();
    const QRectF box = lineAt(QRectF(40, 50, 140, 20)).box;
    const QRectF mirrored(box.right(), box.bottom(), -box.width(), -box.height());
    const QString text = QStringLiteral("Mirror");
    QCOMPARE(renderOverlay(source, {TextItem{text, mirrored}}, {}), renderOverlay(source, {TextItem{text, box}}, {}));
}

void RenderOverlayTest::unusableBoxesArePassedOver_data()
{
    QTest::addColumn<QRectF>("box");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("x not a number") << QRectF(nan, 0.2, 0.5, 0.1);
    QTest::newRow("y infinite") << QRectF(0.1, inf, 0.5, 0.1);
    QTest::newRow("width infinite") << QRectF(0.1, 0.2, inf, 0.1);
    QTest::newRow("height minus infinity") << QRectF(0.1, 0.2, 0.5, -inf);
    QTest::newRow("height beyond any integer") << QRectF(0.1, 0.2, 0.5, 1e300);
    QTest::newRow("height a million pictures") << QRectF(0.1, 0.2, 0.5, 1e6);
    QTest::newRow("x far to the left") << QRectF(-1e20, 0.2, 0.5, 0.1);
}

void RenderOverlayTest::unusableBoxesArePassedOver()
{
    QFETCH(QRectF, box);
    const QImage source = positionCoded();
    const TextItem good = lineAt(QRectF(40, 50, 140, 20));
    const TextItem bad{QStringLiteral("bad"), box};
    const QImage expected = renderOverlay(source, {good}, {QStringLiteral("good")});
    QCOMPARE(renderOverlay(source, {bad, good, bad}, {QStringLiteral("x"), QStringLiteral("good")}), expected);
}

void RenderOverlayTest::degenerateBoxesStillFinish_data()
{
    QTest::addColumn<QRectF>("box");

    QTest::newRow("zero width") << QRectF(0.5, 0.5, 0.0, 0.2);
    QTest::newRow("negative width and height") << QRectF(0.5, 0.5, -0.3, -0.2);
    QTest::newRow("four pictures tall") << QRectF(0.1, -1.5, 0.02, 4.0);
    QTest::newRow("four pictures wide") << QRectF(-1.5, 0.5, 4.0, 0.1);
    QTest::newRow("zero height") << QRectF(0.1, 0.5, 0.5, 0.0);
}

void RenderOverlayTest::degenerateBoxesStillFinish()
{
    QFETCH(QRectF, box);
    const QString text = QStringLiteral("a long translation that cannot fit anywhere, again and again; ").repeated(10);
    const QImage source = positionCoded();
    const QImage result = renderOverlay(source, {TextItem{QStringLiteral("x"), box}}, {text});
    QCOMPARE(result.size(), source.size());
}

QTEST_MAIN(RenderOverlayTest)
#include "RenderOverlayTest.moc"
