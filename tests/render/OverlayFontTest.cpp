// The overlay's typeface: the Noto faces at medium weight for every script
// the app translates into, real glyphs rather than boxes, Arabic joined.
#include "OverlayFont.h"
#include "TextBlock.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>

namespace {

QList<QGlyphRun> shape(const QString &text)
{
    QTextLayout layout(text, overlayFont());
    layout.beginLayout();
    layout.createLine().setLineWidth(100000);
    layout.endLayout();
    return layout.glyphRuns();
}

} // namespace

class OverlayFontTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyScriptHasMediumNotoGlyphs_data();
    void everyScriptHasMediumNotoGlyphs();
    void arabicLettersJoin();
    void blockIsNeverShorterThanOneLinePerParagraph_data();
    void blockIsNeverShorterThanOneLinePerParagraph();
};

void OverlayFontTest::everyScriptHasMediumNotoGlyphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");

    QTest::newRow("Hebrew") << QStringLiteral("עברית שלום") << QStringLiteral("Noto Sans Hebrew");
    QTest::newRow("Yiddish with its points") << QStringLiteral("ייִדיש פֿאַר אָ בּ ײַ") << QStringLiteral("Noto Sans Hebrew");
    QTest::newRow("Arabic") << QStringLiteral("العربية مرحبا") << QStringLiteral("Noto Sans Arabic UI");
    QTest::newRow("Russian") << QStringLiteral("Русский ёж") << QStringLiteral("Noto Sans");
    QTest::newRow("Spanish and French") << QStringLiteral("Español ¿Qué año? Français œuvre à")
                                        << QStringLiteral("Noto Sans");
}

void OverlayFontTest::everyScriptHasMediumNotoGlyphs()
{
    QFETCH(QString, text);
    QFETCH(QString, family);
    bool seen = false;
    for (const QGlyphRun &run : shape(text)) {
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

void OverlayFontTest::arabicLettersJoin()
{
    const auto glyphsOf = [](const QString &text) {
        QList<quint32> glyphs;
        for (const QGlyphRun &run : shape(text))
            glyphs += run.glyphIndexes();
        return glyphs;
    };
    const QList<quint32> alone = glyphsOf(QStringLiteral("ب"));
    const QList<quint32> joined = glyphsOf(QStringLiteral("ببب"));
    QCOMPARE(alone.size(), 1);
    QCOMPARE(joined.size(), 3);
    // Initial, medial and final forms: three different glyphs, none of them
    // the letter standing alone.
    QCOMPARE(QSet<quint32>(joined.begin(), joined.end()).size(), 3);
    QVERIFY(!joined.contains(alone.first()));
}

void OverlayFontTest::blockIsNeverShorterThanOneLinePerParagraph_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");

    const QList<QPair<const char *, QString>> texts{
        {"Yiddish", QStringLiteral("אַ גוטן טאָג פֿון")},
        {"Arabic", QStringLiteral("مرحبا بكم في")},
        {"two paragraphs", QStringLiteral("Hello\nשלום")},
        {"empty paragraph", QStringLiteral("\n")},
    };
    for (const auto &[name, text] : texts)
        for (double width : {0.0, 30.0})
            QTest::addRow("%s, %g wide", name, width) << text << width;
}

void OverlayFontTest::blockIsNeverShorterThanOneLinePerParagraph()
{
    QFETCH(QString, text);
    QFETCH(double, width);
    TextBlock block(text, overlayFont());
    for (double size : {8.85, 9.0, 17.0, 33.3, 120.0})
        QVERIFY(block.layOut(size, width) >= block.minimumHeight(size));
}

QTEST_MAIN(OverlayFontTest)
#include "OverlayFontTest.moc"
