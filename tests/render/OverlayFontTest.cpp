// SPDX-License-Identifier: GPL-3.0-or-later

// The overlay's typeface: the Noto faces at medium weight for every script
// the app translates into, real glyphs rather than boxes.
#include "OverlayFont.h"

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

QTEST_MAIN(OverlayFontTest)
#include "OverlayFontTest.moc"
