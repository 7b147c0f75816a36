// SPDX-License-Identifier: GPL-3.0-or-later

// The text written on a plate, read from rendered pictures, and its typeface:
// the Noto faces at medium weight, real glyphs in every script translated into.
// Its size: the width of a row of capital H grows in proportion to the font
// size, so the ink's width divided by its width per unit of size gives it.
// Its direction: each line starts with a long word followed by a short one,
// so the space between them, the widest gap in the ink, lies near the end
// the line finishes at.
#include "Ink.h"
#include "OverlayFont.h"
#include "RenderOverlay.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>

#include <cmath>

namespace {

constexpr QSize kPicture(1024, 256);
const QString kRow = QStringLiteral("H").repeated(40);

QImage renderOn(const QRectF &line, const QString &text)
{
    QImage source(kPicture, QImage::Format_RGB32);
    source.fill(Qt::white);
    return renderOverlay(source, {TextItem{QStringLiteral("x"), normalisedBox(line, kPicture)}}, {text});
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
    return ink::extentIn(image, image.rect()).width() / double(kLayoutPixelSize);
}

QRectF lineOfHeight(double height)
{
    return QRectF(12, 128 - height / 2, 1000, height);
}

double middleOf(const QRect &line)
{
    return (line.left() + line.right() + 1) / 2.0;
}

// How far left of the line's middle the space between its two words lies,
// as a fraction of the line's width: positive when the long first word was
// put at the right end, so the line runs right to left.
double lean(const QImage &image, const QRect &line)
{
    return (middleOf(line) - ink::widestGapCentre(image, line)) / line.width();
}

} // namespace

class WrittenTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenAtTheSizeTheDescentEndsAt_data()
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

    void writtenAtTheSizeTheDescentEndsAt()
    {
        QFETCH(double, lineHeight);
        QFETCH(int, paragraphs);
        QFETCH(double, size);
        const QString text = QStringList(paragraphs, kRow).join(u'\n');
        const QList<QRect> lines = ink::linesIn(renderOn(lineOfHeight(lineHeight), text));

        QCOMPARE(lines.size(), paragraphs);
        // One unit of size is 29 pixels of this row's width; a pixel of error is
        // well inside the tolerance.
        const auto widest = std::max_element(lines.begin(), lines.end(),
                                             [](const QRect &a, const QRect &b) { return a.width() < b.width(); });
        const double measured = widest->width() / inkWidthPerUnit(kRow);
        QVERIFY2(std::abs(measured - size) < 0.06, qPrintable(QString::number(measured)));
    }

    void overflowingBlockSpillsEquallyAboveAndBelow()
    {
        // Eight lines at the floor size are about 98 pixels tall: far more than
        // the plate, which is the line grown by 2 above and below.
        const QString text = QStringList(8, QStringLiteral("HHHHHHHH")).join(u'\n');
        const QRectF line = lineOfHeight(20);
        const QList<QRect> lines = ink::linesIn(renderOn(line, text));
        QCOMPARE(lines.size(), 8);

        const double above = line.top() - 2 - lines.first().top();
        const double below = lines.last().bottom() + 1 - (line.bottom() + 2);
        QVERIFY(above > 30);
        // Capitals sit on the baseline and reach 0.7 of the size up: the ink is
        // off the block's centre by half a pixel at this size.
        QVERIFY2(std::abs(above - below) <= 2.0,
                 qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
    }

    // Each paragraph takes the direction of its first strong letter, and each
    // line is centred.
    void firstStrongLetterDecidesTheDirection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<bool>>("rightToLeft");

        const QString hebrew = QStringLiteral("ממממממממממ HH"), english = QStringLiteral("HHHHHHHHHH נון");
        QTest::newRow("Hebrew") << QStringLiteral("ממממממממממ נו") << QList{true};
        QTest::newRow("Arabic") << QStringLiteral("المستخدمين في") << QList{true};
        QTest::newRow("English") << QStringLiteral("Internationalisation of") << QList{false};
        QTest::newRow("English holding a Hebrew word") << english << QList{false};
        QTest::newRow("digits before the first letter") << QStringLiteral("12: ממממממממממ נו") << QList{true};
        QTest::newRow("isolated run skipped") << QStringLiteral("\u2066HHHHHHHHHH\u2069 נו") << QList{true};
        QTest::newRow("no letters at all") << QStringLiteral("1234567890 5") << QList{false};
        QTest::newRow("Hebrew, then English") << hebrew + u'\n' + english << QList{true, false};
        QTest::newRow("carriage return and line feed")
            << hebrew + QStringLiteral("\r\n") + english << QList{true, false};
        QTest::newRow("paragraph separator") << english + QChar(0x2029) + hebrew << QList{false, true};
    }

    void firstStrongLetterDecidesTheDirection()
    {
        QFETCH(QString, text);
        QFETCH(QList<bool>, rightToLeft);
        const QRectF line(12, 90, 1000, 60);
        const QImage result = renderOn(line, text);
        const QList<QRect> lines = ink::linesIn(result);
        QCOMPARE(lines.size(), rightToLeft.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const double leaning = lean(result, lines[i]);
            QVERIFY2(rightToLeft[i] ? leaning > 0.2 : leaning < -0.2, qPrintable(QString::number(leaning)));
            QVERIFY(std::abs(middleOf(lines[i]) - line.center().x()) <= 2.0);
        }
    }

    void everyLineIsCentred_data()
    {
        QTest::addColumn<QString>("text");

        QTest::newRow("right to left") << QStringLiteral("ממממממממממממממ ממממם ממ ממממממממממממ מ");
        QTest::newRow("word longer than the line") << QStringLiteral("HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH H");
    }

    void everyLineIsCentred()
    {
        QFETCH(QString, text);
        const QRectF line(300, 60, 200, 40);
        const QImage result = renderOn(line, text);
        const QList<QRect> lines = ink::linesIn(result);
        QVERIFY(lines.size() >= 2);
        const double middle = line.center().x();
        for (const QRect &l : lines) {
            const double centre = middleOf(l);
            QVERIFY2(std::abs(centre - middle) <= 2.0, qPrintable(QStringLiteral("line centred at %1").arg(centre)));
            QVERIFY(l.left() >= line.left() - 3 && l.right() < line.right() + 3);
        }
    }

    void everyScriptHasMediumNotoGlyphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");

        QTest::newRow("Hebrew") << QStringLiteral("עברית שלום") << QStringLiteral("Noto Sans Hebrew");
        QTest::newRow("Yiddish with its points")
            << QStringLiteral("ייִדיש פֿאַר אָ בּ ײַ") << QStringLiteral("Noto Sans Hebrew");
        QTest::newRow("Arabic") << QStringLiteral("العربية مرحبا") << QStringLiteral("Noto Sans Arabic UI");
        QTest::newRow("Russian") << QStringLiteral("Русский ёж") << QStringLiteral("Noto Sans");
        QTest::newRow("Spanish and French")
            << QStringLiteral("Español ¿Qué año? Français œuvre à") << QStringLiteral("Noto Sans");
    }

    void everyScriptHasMediumNotoGlyphs()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QTextLayout layout(text, overlayFont());
        layout.beginLayout();
        layout.createLine().setLineWidth(100000);
        layout.endLayout();
        bool seen = false;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            const QRawFont font = run.rawFont();
            // Spaces may come from the first family.
            QVERIFY2(font.familyName() == family || font.familyName() == QLatin1String("Noto Sans"),
                     qPrintable(font.familyName()));
            QCOMPARE(font.styleName(), QStringLiteral("Medium"));
            seen = seen || font.familyName() == family;
            for (quint32 glyph : run.glyphIndexes())
                QVERIFY2(glyph != 0, "a letter without a glyph");
        }
        QVERIFY(seen);
    }
};

QTEST_MAIN(WrittenTextTest)
#include "WrittenTextTest.moc"
