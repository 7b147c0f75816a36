// SPDX-License-Identifier: GPL-3.0-or-later

// Paragraph grouping against pages drawn with known paragraphs: the lines a
// page draws, with the boxes recognition gives them, must group into the
// page's own runs of sentences, no more and no less.
#include "Paragraphs.h"
#include "ParagraphPages.h"
#include "RecognizeText.h"

#include <QFontMetricsF>
#include <QtTest>

namespace {

// Each group as its lines' texts, joined by " / ", in the grouping's order.
QStringList shown(const TextItems &items, const QList<QList<qsizetype>> &groups)
{
    QStringList texts;
    for (const QList<qsizetype> &group : groups) {
        QStringList lines;
        for (const qsizetype k : group)
            lines.append(items[k].text);
        texts.append(lines.join(QStringLiteral(" / ")));
    }
    return texts;
}

// The page's own passages over `items`, each line taken to be the drawn line
// whose box holds its centre.
QStringList truth(const DrawnPage &page, const TextItems &items)
{
    QMap<int, QList<qsizetype>> passages;
    for (qsizetype k = 0; k < items.size(); ++k) {
        const QRectF box = scaledBox(items[k].box, page.image.size());
        const QPointF centre(box.center().x(), page.image.height() - box.center().y());
        for (const DrawnLine &line : page.lines)
            if (line.box.contains(centre))
                passages[line.passage].append(k);
    }
    QList<QList<qsizetype>> groups = passages.values();
    std::sort(groups.begin(), groups.end(), [](const auto &a, const auto &b) { return a.first() < b.first(); });
    return shown(items, groups);
}

TextItems drawnItems(const DrawnPage &page)
{
    TextItems items;
    for (const DrawnLine &line : page.lines)
        items.append({line.text, normalisedBox(line.box, page.image.size())});
    return items;
}

// A line of Noto Sans at `size` pixels whose box, as recognition gives it,
// starts `x` pixels from the left and `top` from the top.
struct Set {
    QString text;
    double x, top, size;
};

TextItems setLines(const QList<Set> &lines, QSizeF page)
{
    TextItems items;
    for (const Set &line : lines) {
        QFont font(u"Noto Sans"_qs);
        font.setPixelSize(int(line.size));
        const QRectF box(line.x, line.top, QFontMetricsF(font).horizontalAdvance(line.text), 1.18 * line.size);
        items.append({line.text, normalisedBox(box, page)});
    }
    return items;
}

const PageText &language(const QString &code)
{
    for (const PageText &text : pageTexts())
        if (text.language == code)
            return text;
    return pageTexts().first();
}

} // namespace

class ParagraphsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawnLayouts_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("code");
        for (const QString &layout : pageLayouts())
            for (const QString &code : {u"en"_qs, u"he"_qs})
                QTest::newRow(qPrintable(layout + u' ' + code)) << layout << code;
    }

    void drawnLayouts()
    {
        QFETCH(QString, layout);
        QFETCH(QString, code);
        for (quint32 variant = 1; variant <= 3; ++variant) {
            const DrawnPage page = drawPage(layout, language(code), 16, variant);
            const TextItems items = drawnItems(page);
            QCOMPARE(shown(items, paragraphsOf(items, page.image.size())), truth(page, items));
        }
    }

    // Lines that every other rule would join, kept apart by one.
    void eachRuleKeepsLinesApart_data()
    {
        QTest::addColumn<QList<Set>>("lines");
        QTest::addColumn<QStringList>("paragraphs");
        const QString full = u"Your files are kept on this computer and are never"_qs, rest = u"sent anywhere."_qs;
        QTest::newRow("list items that fill the line")
            << QList<Set>{{u"• Keep your files on this computer and never send them"_qs, 32, 40, 16},
                          {u"• Install each update the next time the application starts"_qs, 32, 62, 16}}
            << QStringList{u"• Keep your files on this computer and never send them"_qs,
                           u"• Install each update the next time the application starts"_qs};
        QTest::newRow("a wider heading over smaller text")
            << QList<Set>{{u"Keep your files safe on every device"_qs, 32, 40, 20},
                          {full, 32, 68, 16},
                          {rest, 32, 90, 16}}
            << QStringList{u"Keep your files safe on every device"_qs, full + u" / "_qs + rest};
        QTest::newRow("a line below, further right")
            << QList<Set>{{full, 32, 40, 16}, {u"sent anywhere without your permission."_qs, 160, 62, 16}}
            << QStringList{full, u"sent anywhere without your permission."_qs};
        QTest::newRow("a short line over a long one")
            << QList<Set>{{u"Your files are kept"_qs, 32, 40, 16},
                          {u"on this computer and are never sent anywhere."_qs, 32, 62, 16}}
            << QStringList{u"Your files are kept"_qs, u"on this computer and are never sent anywhere."_qs};
        QTest::newRow("a blank line between")
            << QList<Set>{{full, 32, 40, 16}, {rest, 32, 82, 16}} << QStringList{full, rest};
    }

    void eachRuleKeepsLinesApart()
    {
        QFETCH(QList<Set>, lines);
        QFETCH(QStringList, paragraphs);
        const QSizeF page(800, 300);
        const TextItems items = setLines(lines, page);
        QCOMPARE(shown(items, paragraphsOf(items, page)), paragraphs);
    }

    // The same with the lines and boxes that recognition finds.
    void recognisedParagraphs()
    {
        const DrawnPage page = drawPage(u"heading"_qs, language(u"en"_qs), 18, 7);
        std::optional<TextItems> read;
        recognizeText(page.image, [&read](TextItems items) { read = std::move(items); });
        QTRY_VERIFY_WITH_TIMEOUT(read.has_value(), 120'000);
        QCOMPARE(read->size(), page.lines.size());
        QCOMPARE(shown(*read, paragraphsOf(*read, page.image.size())), truth(page, *read));
    }

    void paragraphTextJoinsLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("spaced") << QStringList{u"The update will be"_qs, u"installed tonight."_qs}
                                << u"The update will be installed tonight."_qs;
        QTest::newRow("right to left") << QStringList{u"העדכון יותקן"_qs, u"הלילה."_qs} << u"העדכון יותקן הלילה."_qs;
        QTest::newRow("Japanese") << QStringList{u"更新は今夜"_qs, u"インストールされます。"_qs}
                                  << u"更新は今夜インストールされます。"_qs;
        QTest::newRow("Latin after Chinese") << QStringList{u"请打开"_qs, u"Settings"_qs} << u"请打开 Settings"_qs;
    }

    void paragraphTextJoinsLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        TextItems items;
        for (const QString &line : lines)
            items.append({line, QRectF()});
        QCOMPARE(paragraphText(items, {0, 1}), text);
    }
};

QTEST_MAIN(ParagraphsTest)
#include "ParagraphsTest.moc"
