// SPDX-License-Identifier: GPL-3.0-or-later

// paragraph-bench: how well the lines that recognition finds are grouped into
// paragraphs for whole-sentence translation. Pages of eight layouts (wrapped
// paragraphs, a heading over its text, chat bubbles, a bulleted list, a menu
// with shortcuts, two columns, a table, a dialog with buttons) are drawn in
// five languages at three text sizes, with the truth of which lines continue
// one run of sentences; each is read by the real recogniser, and the lines it
// returns are grouped. A join is two lines grouped one after the other:
// precision is the share of joins made that the truth has, recall the share
// of the truth's joins that were made. The same is measured on the drawn
// boxes themselves, as a perfect recogniser would give them.
//
// Usage: paragraph-bench [--variants N] [--first-variant K] [--save DIR] [--only NAMES]
#include "ParagraphPages.h"
#include "Paragraphs.h"
#include "RecognizeText.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

struct Score {
    int pages = 0, drawnLines = 0, readLines = 0;
    int truthJoins = 0, joinsMade = 0, rightJoins = 0;
    QStringList falseJoins, missedJoins;

    void add(const Score &other)
    {
        pages += other.pages;
        drawnLines += other.drawnLines;
        readLines += other.readLines;
        truthJoins += other.truthJoins;
        joinsMade += other.joinsMade;
        rightJoins += other.rightJoins;
        falseJoins += other.falseJoins;
        missedJoins += other.missedJoins;
    }
};

TextItems recognise(const QImage &image)
{
    std::optional<TextItems> read;
    QEventLoop loop;
    recognizeText(image, [&](TextItems items) {
        read = std::move(items);
        loop.quit();
    });
    loop.exec();
    return *read;
}

TextItems drawnItems(const DrawnPage &page)
{
    TextItems items;
    for (const DrawnLine &line : page.lines)
        items.append({line.text, normalisedBox(line.box, page.image.size())});
    return items;
}

// The drawn line whose box holds the centre of each item, or -1.
QList<qsizetype> matchToDrawn(const DrawnPage &page, const TextItems &items)
{
    QList<qsizetype> drawn;
    for (const TextItem &item : items) {
        const QRectF box = scaledBox(item.box, page.image.size());
        const QPointF centre(box.center().x(), page.image.height() - box.center().y());
        qsizetype found = -1;
        for (qsizetype d = 0; d < page.lines.size() && found < 0; ++d)
            if (page.lines[d].box.contains(centre))
                found = d;
        drawn.append(found);
    }
    return drawn;
}

Score score(const DrawnPage &page, const TextItems &items)
{
    Score s;
    s.pages = 1;
    s.drawnLines = int(page.lines.size());
    s.readLines = int(items.size());
    for (qsizetype d = 1; d < page.lines.size(); ++d)
        s.truthJoins += page.lines[d].passage == page.lines[d - 1].passage;
    const QList<qsizetype> drawn = matchToDrawn(page, items);
    QSet<qsizetype> joinedBelow; // drawn lines rightly joined to the one above
    for (const Paragraph &paragraph : paragraphsOf(items, page.image.size())) {
        for (qsizetype n = 1; n < paragraph.size(); ++n) {
            const qsizetype above = drawn[paragraph[n - 1]], below = drawn[paragraph[n]];
            ++s.joinsMade;
            if (above >= 0 && below == above + 1 && page.lines[above].passage == page.lines[below].passage) {
                ++s.rightJoins;
                joinedBelow.insert(below);
            } else {
                s.falseJoins.append(QStringLiteral("%1: \"%2\" + \"%3\"")
                                        .arg(page.layout, items[paragraph[n - 1]].text, items[paragraph[n]].text));
            }
        }
    }
    for (qsizetype d = 1; d < page.lines.size(); ++d)
        if (page.lines[d].passage == page.lines[d - 1].passage && !joinedBelow.contains(d))
            s.missedJoins.append(
                QStringLiteral("%1: \"%2\" + \"%3\"").arg(page.layout, page.lines[d - 1].text, page.lines[d].text));
    return s;
}

QString percent(int part, int whole)
{
    return whole ? QString::number(100.0 * part / whole, 'f', 1) : QStringLiteral("–");
}

void printTable(const char *title, const QMap<QString, Score> &byLayout)
{
    std::printf("\n%s\n\n| layout | pages | lines drawn | lines read | joins in truth | joins made | right "
                "| precision %% | recall %% |\n|---|---|---|---|---|---|---|---|---|\n",
                title);
    Score all;
    const auto row = [](const QString &name, const Score &s) {
        std::printf("| %s | %d | %d | %d | %d | %d | %d | %s | %s |\n", qPrintable(name), s.pages, s.drawnLines,
                    s.readLines, s.truthJoins, s.joinsMade, s.rightJoins,
                    qPrintable(percent(s.rightJoins, s.joinsMade)), qPrintable(percent(s.rightJoins, s.truthJoins)));
    };
    for (auto it = byLayout.begin(); it != byLayout.end(); ++it) {
        row(it.key(), it.value());
        all.add(it.value());
    }
    row(QStringLiteral("**all**"), all);
    if (!all.falseJoins.isEmpty())
        std::printf("\nJoins made that the truth does not have (%lld):\n\n", qlonglong(all.falseJoins.size()));
    for (const QString &join : all.falseJoins)
        std::printf("- %s\n", qPrintable(join));
    if (!all.missedJoins.isEmpty())
        std::printf("\nJoins in the truth that were not made (%lld):\n\n", qlonglong(all.missedJoins.size()));
    for (const QString &join : all.missedJoins)
        std::printf("- %s\n", qPrintable(join));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    options.addOption({QStringLiteral("variants"), QStringLiteral("Pages of each layout, language and size."),
                       QStringLiteral("N"), QStringLiteral("1")});
    options.addOption({QStringLiteral("first-variant"), QStringLiteral("The first page's variant (1, 2, ...)."),
                       QStringLiteral("K"), QStringLiteral("1")});
    options.addOption({QStringLiteral("save"), QStringLiteral("Write each page here."), QStringLiteral("DIR")});
    options.addOption({QStringLiteral("only"), QStringLiteral("Only the layouts and languages named (list,he)."),
                       QStringLiteral("NAMES")});
    options.process(app);
    const int variants = options.value(QStringLiteral("variants")).toInt();
    const int firstVariant = options.value(QStringLiteral("first-variant")).toInt();
    const QString save = options.value(QStringLiteral("save"));
    const QStringList only = options.value(QStringLiteral("only")).split(u',', Qt::SkipEmptyParts);
    const auto chosen = [&only](const QStringList &names, const QString &name) {
        return !std::any_of(only.begin(), only.end(), [&names](const QString &n) { return names.contains(n); }) ||
               only.contains(name);
    };
    if (!save.isEmpty())
        QDir().mkpath(save);

    QMap<QString, Score> drawnScores, readScores;
    QStringList languages;
    for (const PageText &text : pageTexts())
        languages.append(text.language);
    for (const PageText &text : pageTexts()) {
        if (!chosen(languages, text.language))
            continue;
        for (const QString &layout : pageLayouts()) {
            if (!chosen(pageLayouts(), layout))
                continue;
            for (const int size : {13, 16, 20}) {
                for (int variant = firstVariant; variant < firstVariant + variants; ++variant) {
                    const DrawnPage page = drawPage(layout, text, size, quint32(variant * 7919 + size));
                    if (!save.isEmpty())
                        page.image.save(
                            QStringLiteral("%1/%2-%3-%4-%5.png").arg(save, layout, text.language).arg(size).arg(variant));
                    drawnScores[layout].add(score(page, drawnItems(page)));
                    readScores[layout].add(score(page, recognise(page.image)));
                }
            }
            std::fprintf(stderr, "%s %s done\n", qPrintable(text.language), qPrintable(layout));
        }
    }
    QStringList layouts = pageLayouts();
    languages.removeIf([&](const QString &name) { return !chosen(languages, name); });
    layouts.removeIf([&](const QString &name) { return !chosen(pageLayouts(), name); });
    std::printf("Paragraph grouping: languages %s; layouts %s; text of 13, 16 and 20 px; %d page(s) each.\n",
                qPrintable(languages.join(QStringLiteral(", "))), qPrintable(layouts.join(QStringLiteral(", "))),
                variants);
    printTable("Lines as recognition reads them:", readScores);
    printTable("Lines as drawn (a perfect recogniser):", drawnScores);
    return 0;
}
