// The size the text is written at, measured on the rendered picture: the
// width of a row of capital H grows in proportion to the font size, so the
// ink's width divided by its width per unit of size gives the size.
#include "Ink.h"
#include "OverlayFont.h"
#include "RenderOverlay.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

namespace {

constexpr QSize kPicture(1024, 256);
const QString kRow = QStringLiteral("H").repeated(40);

QImage white()
{
    QImage image(kPicture, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Ink width of `text` per unit of font size, from a plain drawing at the
// layout size.
double inkWidthPerUnit(const QString &text)
{
    QImage image(2400, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(overlayFont());
    painter.setPen(Qt::black);
    painter.drawText(QPointF(20, 90), text);
    painter.end();
    return ink::extentIn(image, image.rect(), Qt::white).bounds.width() / double(kLayoutPixelSize);
}

QRectF lineOfHeight(double height, double middle = 128)
{
    return QRectF(12, middle - height / 2, 1000, height);
}

QList<ink::Extent> render(const QRectF &line, const QString &text)
{
    const QImage result = renderOverlay(white(), {TextItem{QStringLiteral("x"), ink::boxFor(line, kPicture)}}, {text});
    return ink::linesIn(result, result.rect(), Qt::white);
}

double measuredSize(const QList<ink::Extent> &lines, const QString &text)
{
    double widest = 0;
    for (const ink::Extent &line : lines)
        widest = std::max(widest, double(line.bounds.width()));
    return widest / inkWidthPerUnit(text);
}

} // namespace

class FontFittingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenAtTheSizeTheDescentEndsAt_data();
    void writtenAtTheSizeTheDescentEndsAt();
    void overflowingBlockSpillsEquallyAboveAndBelow();
};

void FontFittingTest::writtenAtTheSizeTheDescentEndsAt_data()
{
    QTest::addColumn<double>("lineHeight");
    QTest::addColumn<int>("paragraphs");
    QTest::addColumn<double>("size");

    QTest::newRow("20 high starts at 17 and fits") << 20.0 << 1 << 17.0;
    QTest::newRow("10 high starts at the floor, 9, and fits") << 10.0 << 1 << 9.0;
    // The plate is 44 high: a line of the font is 46.3 high at 34, 44.9 at
    // 33 and 43.6 at 32.
    QTest::newRow("40 high: 34 down to 32, the largest that fits") << 40.0 << 1 << 32.0;
    QTest::newRow("21 high, too much text: 17.85 down to 8.85") << 21.0 << 3 << 8.85;
}

void FontFittingTest::writtenAtTheSizeTheDescentEndsAt()
{
    QFETCH(double, lineHeight);
    QFETCH(int, paragraphs);
    QFETCH(double, size);
    const QString text = QStringList(paragraphs, kRow).join(u'\n');
    const QList<ink::Extent> lines = render(lineOfHeight(lineHeight), text);

    QCOMPARE(lines.size(), paragraphs);
    // One unit of size is 29 pixels of this row's width; a pixel of error is
    // well inside the tolerance.
    const double measured = measuredSize(lines, kRow);
    QVERIFY2(std::abs(measured - size) < 0.06, qPrintable(QString::number(measured)));
}

void FontFittingTest::overflowingBlockSpillsEquallyAboveAndBelow()
{
    // Eight lines at the floor size are about 98 pixels tall: far more than
    // either plate.
    const QString text = QStringList(8, QStringLiteral("HHHHHHHH")).join(u'\n');
    const QRectF low = lineOfHeight(20, 128);
    const QList<ink::Extent> lowLines = render(low, text);
    QCOMPARE(lowLines.size(), 8);

    const double plateTop = low.top() - 2;
    const double plateBottom = low.bottom() + 2;
    const double above = plateTop - lowLines.first().bounds.top();
    const double below = lowLines.last().bounds.bottom() + 1 - plateBottom;
    QVERIFY(above > 30);
    // Capitals sit on the baseline and reach 0.7 of the size up: the ink is
    // off the block's centre by half a pixel at this size.
    QVERIFY2(std::abs(above - below) <= 2.0, qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
}

QTEST_MAIN(FontFittingTest)
#include "FontFittingTest.moc"
