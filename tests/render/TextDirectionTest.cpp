// Direction and centring of the written text, read from rendered pictures.
// Each test line starts with a long word followed by a short one, so the
// space between them, the widest gap in the ink, lies near the end the line
// finishes at.
#include "Ink.h"
#include "RenderOverlay.h"

#include <QtTest>

namespace {

constexpr QSize kPicture(1024, 256);

QImage renderOn(const QRectF &line, const QString &text)
{
    QImage source(kPicture, QImage::Format_RGB32);
    source.fill(Qt::white);
    return renderOverlay(source, {TextItem{QStringLiteral("x"), ink::boxFor(line, kPicture)}}, {text});
}

double middleOf(const ink::Extent &line)
{
    return (line.bounds.left() + line.bounds.right() + 1) / 2.0;
}

// How far left of the line's middle the space between its two words lies,
// as a fraction of the line's width: positive when the long first word was
// put at the right end, so the line runs right to left.
double lean(const QImage &image, const ink::Extent &line)
{
    return (middleOf(line) - ink::widestGapCentre(image, line, Qt::white)) / line.bounds.width();
}

} // namespace

class TextDirectionTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStrongLetterDecidesTheDirection_data();
    void firstStrongLetterDecidesTheDirection();
    void everyLineIsCentred_data();
    void everyLineIsCentred();
    void eachParagraphTakesItsOwnDirection_data();
    void eachParagraphTakesItsOwnDirection();
};

void TextDirectionTest::firstStrongLetterDecidesTheDirection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("rightToLeft");

    QTest::newRow("Hebrew") << QStringLiteral("ממממממממממ נו") << true;
    QTest::newRow("Arabic") << QStringLiteral("المستخدمين في") << true;
    QTest::newRow("English") << QStringLiteral("Internationalisation of") << false;
    QTest::newRow("English holding a Hebrew word") << QStringLiteral("HHHHHHHHHH נון") << false;
    QTest::newRow("digits before the first letter") << QStringLiteral("12: ממממממממממ נו") << true;
    QTest::newRow("isolated run skipped") << QStringLiteral("\u2066HHHHHHHHHH\u2069 נו") << true;
    QTest::newRow("no letters at all") << QStringLiteral("1234567890 5") << false;
}

void TextDirectionTest::firstStrongLetterDecidesTheDirection()
{
    QFETCH(QString, text);
    QFETCH(bool, rightToLeft);
    const QRectF line(12, 100, 1000, 40);
    const QImage result = renderOn(line, text);
    const ink::Extent written = ink::extentIn(result, result.rect(), Qt::white);
    const double leaning = lean(result, written);
    QVERIFY2(rightToLeft ? leaning > 0.2 : leaning < -0.2, qPrintable(QString::number(leaning)));
    QVERIFY(std::abs(middleOf(written) - line.center().x()) <= 2.0);
}

void TextDirectionTest::everyLineIsCentred_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("right to left") << QStringLiteral("ממממממממממממממ ממממם ממ ממממממממממממ מ");
    QTest::newRow("word longer than the line") << QStringLiteral("HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH H");
}

void TextDirectionTest::everyLineIsCentred()
{
    QFETCH(QString, text);
    const QRectF line(300, 60, 200, 40);
    const QImage result = renderOn(line, text);
    const QList<ink::Extent> lines = ink::linesIn(result, result.rect(), Qt::white);
    QVERIFY(lines.size() >= 2);
    const double middle = line.center().x();
    for (const ink::Extent &l : lines) {
        const double centre = middleOf(l);
        QVERIFY2(std::abs(centre - middle) <= 2.0, qPrintable(QStringLiteral("line centred at %1").arg(centre)));
        QVERIFY(l.bounds.left() >= line.left() - 3 && l.bounds.right() < line.right() + 3);
    }
}

void TextDirectionTest::eachParagraphTakesItsOwnDirection_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("firstRightToLeft");

    const QString hebrew = QStringLiteral("ממממממממממ HH");
    const QString english = QStringLiteral("HHHHHHHHHH נון");
    QTest::newRow("Hebrew, then English") << hebrew + u'\n' + english << true;
    QTest::newRow("carriage return and line feed") << hebrew + QStringLiteral("\r\n") + english << true;
    QTest::newRow("paragraph separator") << english + QChar(0x2029) + hebrew << false;
}

void TextDirectionTest::eachParagraphTakesItsOwnDirection()
{
    QFETCH(QString, text);
    QFETCH(bool, firstRightToLeft);
    const QImage result = renderOn(QRectF(12, 90, 1000, 60), text);
    const QList<ink::Extent> lines = ink::linesIn(result, result.rect(), Qt::white);
    QCOMPARE(lines.size(), 2);
    const double first = lean(result, lines.at(0));
    const double second = lean(result, lines.at(1));
    QVERIFY(std::abs(first) > 0.2 && std::abs(second) > 0.2);
    QCOMPARE(first > 0, firstRightToLeft);
    QCOMPARE(second > 0, !firstRightToLeft);
}

QTEST_MAIN(TextDirectionTest)
#include "TextDirectionTest.moc"
