// SPDX-License-Identifier: GPL-3.0-or-later

#include "GrayMorphology.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// The extreme of the `size` × `size` square around each pixel, cut short at
// the edges, looked up pixel by pixel.
QImage squareExtremes(const QImage &gray, int size, bool max)
{
    QImage out(gray.size(), QImage::Format_Grayscale8);
    const int reach = size / 2;
    for (int y = 0; y < gray.height(); ++y) {
        for (int x = 0; x < gray.width(); ++x) {
            int extreme = max ? 0 : 255;
            for (int v = std::max(0, y - reach); v <= std::min(gray.height() - 1, y + reach); ++v) {
                for (int u = std::max(0, x - reach); u <= std::min(gray.width() - 1, x + reach); ++u) {
                    const int g = gray.constScanLine(v)[u];
                    extreme = max ? std::max(extreme, g) : std::min(extreme, g);
                }
            }
            out.scanLine(y)[x] = uchar(extreme);
        }
    }
    return out;
}

} // namespace

class GrayMorphologyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matchesTheSquareLookedUpPixelByPixel_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("size");
        QTest::newRow("a pixel's square") << QSize(23, 17) << 1;
        QTest::newRow("3, rows of odd width") << QSize(37, 19) << 3;
        QTest::newRow("15, as on a screenshot") << QSize(61, 45) << 15;
        QTest::newRow("31, as on a 4K one") << QSize(70, 52) << 31;
        QTest::newRow("larger than the picture") << QSize(9, 40) << 21;
        QTest::newRow("a single row") << QSize(50, 1) << 7;
    }

    // Random grey, and strokes on paper: every pass's edges and spans.
    void matchesTheSquareLookedUpPixelByPixel()
    {
        QFETCH(QSize, picture);
        QFETCH(int, size);
        QRandomGenerator random(size * 1000 + picture.width());
        QImage noise(picture, QImage::Format_Grayscale8), strokes(picture, QImage::Format_Grayscale8);
        strokes.fill(230);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                noise.scanLine(y)[x] = uchar(random.bounded(256));
                if (x % 7 == 3 || y % 11 == 5)
                    strokes.scanLine(y)[x] = 20;
            }
        }
        for (const QImage &gray : {noise, strokes}) {
            QCOMPARE(closeGray(gray, size), squareExtremes(squareExtremes(gray, size, true), size, false));
            QCOMPARE(openGray(gray, size), squareExtremes(squareExtremes(gray, size, false), size, true));
        }
    }
};

QTEST_MAIN(GrayMorphologyTest)
#include "GrayMorphologyTest.moc"
