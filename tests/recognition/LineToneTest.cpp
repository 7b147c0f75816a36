// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineTone.h"
#include "InkMask.h"
#include "LineFinder.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

namespace {

struct Page {
    QImage gray;
    QRect text; // the drawn text's box
    int paper = 0;
};

// Bold light text on a dark page, as a dark theme's headings and subtitles
// over a film draw it, with an optional dark outline round the letters, and
// optionally over the lights of a city at night out of focus, all along its
// edges.
Page drawPage(const QString &text, const QString &family, int px, bool outline, bool lights = false)
{
    const QColor paper("#26222e");
    QImage image(40 + px * text.size(), 4 * px, QImage::Format_RGB32);
    image.fill(paper);
    QFont font(family);
    font.setPixelSize(px);
    font.setBold(true);
    QPainterPath path;
    path.addText(20, 2.5 * px, font, text);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (lights) {
        const QRectF box = path.boundingRect();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#9a7ab0"));
        for (double x = box.left(); x < box.right(); x += 1.5 * px)
            p.drawEllipse(QPointF(x, int(x / px) % 2 ? box.top() : box.bottom()), 0.5 * px, 0.5 * px);
    }
    if (outline)
        p.strokePath(path, QPen(Qt::black, px / 10.0));
    p.fillPath(path, QColor("#f4f4f4"));
    p.end();
    return {image.convertToFormat(QImage::Format_Grayscale8), path.boundingRect().toAlignedRect(), qGray(paper.rgb())};
}

// The share of the mask's ink in `box` that has the paper's grey.
double paperInInk(const QImage &mask, const Page &page)
{
    int ink = 0, paper = 0;
    for (int y = page.text.top(); y <= page.text.bottom(); ++y) {
        for (int x = page.text.left(); x <= page.text.right(); ++x) {
            if (!mask.constScanLine(y)[x])
                continue;
            ++ink;
            paper += std::abs(page.gray.constScanLine(y)[x] - page.paper) < 20;
        }
    }
    return ink ? double(paper) / ink : 1.0;
}

} // namespace

class LineToneTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Bold letters leave gaps between them as narrow as their strokes: the
    // page's mask marks some of those gaps, and the lines' tone mends them.
    void mendsBoldLightTextTheMaskTurnedInsideOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("outline");
        QTest::addColumn<bool>("lights");
        QTest::newRow("Arabic heading") << QStringLiteral("اجتماع أسبوعي") << "Noto Sans Arabic" << 30 << false
                                        << false;
        QTest::newRow("small bold label") << QStringLiteral("Settings") << "Noto Sans" << 13 << false << false;
        QTest::newRow("outlined subtitle")
            << QStringLiteral("Voulez-vous conserver ces réglages") << "Noto Sans" << 43 << true << false;
        QTest::newRow("outlined subtitle over a city's lights")
            << QStringLiteral("Voulez-vous conserver ces réglages") << "Noto Sans" << 43 << true << true;
    }

    void mendsBoldLightTextTheMaskTurnedInsideOut()
    {
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(bool, outline);
        QFETCH(bool, lights);
        const Page page = drawPage(text, family, pixelSize, outline, lights);
        QImage mask = inkMask(page.gray);
        const double before = paperInInk(mask, page);

        QVERIFY(mendTextTone(page.gray, mask, findLines(mask)));

        const double after = paperInInk(mask, page);
        QVERIFY2(after < 0.05, qPrintable(QStringLiteral("paper in ink %1 before, %2 after").arg(before).arg(after)));
        QCOMPARE(toneOf(page.gray, page.text.adjusted(-2, -2, 2, 2)), TextTone::Light);
    }

    // A word the mask broke is found in parts beside its line (the tops of a
    // bold Hangul word's syllables): mending the line mends the word whole.
    void mendsAWordFoundInPartsWithItsLine()
    {
        const Page page = drawPage(QStringLiteral("있지 않음"), "Noto Sans CJK KR", 34, false);
        QFont font("Noto Sans CJK KR");
        font.setPixelSize(34);
        font.setBold(true);
        QPainterPath first;
        first.addText(20, 2.5 * 34, font, QStringLiteral("있지"));
        const int end = first.boundingRect().toAlignedRect().right();
        const QRect word(page.text.left(), page.text.top(), end - page.text.left() + 1, page.text.height());
        const QRect tops(end + 10, page.text.top(), page.text.right() - end - 9, page.text.height() / 4);
        QImage mask = inkMask(page.gray, inkKernelSize(page.gray.size()), TextTone::Dark);

        QVERIFY(mendTextTone(page.gray, mask, {word, tops}));

        const double after = paperInInk(mask, page);
        QVERIFY2(after < 0.05, qPrintable(QStringLiteral("paper in ink %1").arg(after)));
    }

    // Bold white text on a blue button: the page's mask lost the last letter
    // of "Cancel", and the line's tone mends it back.
    void mendsALetterTheMaskLostAtALinesEnd()
    {
        QImage image(640, 200, QImage::Format_RGB32);
        image.fill(QColor("#1e1e1e"));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#2f6fd0"));
        p.drawRoundedRect(QRectF(200, 60, 220, 70), 10, 10);
        QFont font("DejaVu Sans");
        font.setPixelSize(35);
        font.setBold(true);
        QPainterPath path;
        path.addText(258, 108, font, QStringLiteral("Cancel"));
        p.fillPath(path, Qt::white);
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        const QRect text = path.boundingRect().toAlignedRect();
        QImage mask = inkMask(gray);

        mendTextTone(gray, mask, findLines(mask));

        const QList<QRect> found = findLines(mask);
        QVERIFY(std::any_of(found.begin(), found.end(),
                            [&](const QRect &line) { return line.adjusted(-2, -2, 2, 2).contains(text); }));
    }

    // A lone stroke at a line's end weighs little against the paper within
    // the letters beside it, and the page's mask may lose it: 一 before white
    // letters on a selected row, ー after a bold heading.
    void mendsAStrokeTheMaskLostAtALinesEnd_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("ink");
        QTest::addColumn<QColor>("paper");
        QTest::addColumn<QColor>("window");
        QTest::newRow("一 on a selected row") << QStringLiteral("一般的な修飾子:") << 13 << false << QColor(Qt::white)
                                              << QColor("#1e88e5") << QColor("#1e1e1e");
        QTest::newRow("ー after a bold heading")
            << QStringLiteral("US レター") << 26 << true << QColor("#202020") << QColor(Qt::white) << QColor(Qt::white);
    }

    void mendsAStrokeTheMaskLostAtALinesEnd()
    {
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QColor, ink);
        QFETCH(QColor, paper);
        QFETCH(QColor, window);
        QFont font("Noto Sans CJK JP");
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        QPainterPath path;
        path.addText(2 * pixelSize, 2.2 * pixelSize, font, text);
        const QRect box = path.boundingRect().toAlignedRect();
        QImage image(box.right() + 3 * pixelSize, 4 * pixelSize, QImage::Format_RGB32);
        image.fill(window);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(pixelSize / 2, box.center().y() - pixelSize, image.width() - pixelSize, 2 * pixelSize), paper);
        p.fillPath(path, ink);
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        QImage mask = inkMask(gray);

        QVERIFY(mendTextTone(gray, mask, findLines(mask)));

        const QList<QRect> found = findLines(mask);
        QVERIFY(std::any_of(found.begin(), found.end(),
                            [&](const QRect &line) { return line.adjusted(-1, -1, 1, 1).contains(box); }));
    }

    // A stroke lost between two parts of a line (ー of ストリーム) is mended
    // with them, though the mask of each part is right (drawn crisp, so
    // that no edge of a letter looks like paper to the mask).
    void mendsAStrokeLostBetweenTheLinesParts()
    {
        QFont font("Noto Sans CJK JP");
        font.setPixelSize(26);
        QPainterPath before, bar, after;
        before.addText(20, 60, font, QStringLiteral("ストリ"));
        const double barLeft = 20 + QFontMetricsF(font).horizontalAdvance(QStringLiteral("ストリ"));
        bar.addText(barLeft, 60, font, QStringLiteral("ー"));
        after.addText(barLeft + QFontMetricsF(font).horizontalAdvance(QStringLiteral("ー")), 60, font,
                      QStringLiteral("ムは"));
        QImage image(240, 100, QImage::Format_RGB32);
        image.fill(QColor("#f2f2f7"));
        QPainter p(&image);
        for (const QPainterPath *path : {&before, &bar, &after})
            p.fillPath(*path, QColor("#3c3c43"));
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        QImage mask = inkMask(gray, inkKernelSize(gray.size()), TextTone::Dark);
        const QRect lost = bar.boundingRect().toAlignedRect();
        const auto inkIn = [&](const QRect &area) {
            int ink = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    ink += mask.constScanLine(y)[x] != 0;
            }
            return ink;
        };
        const int drawn = inkIn(lost);
        for (int y = lost.top(); y <= lost.bottom(); ++y)
            std::fill_n(mask.scanLine(y) + lost.left(), lost.width(), 0);

        // The two parts as the line finder gives them, on the same rows.
        QRect left = before.boundingRect().toAlignedRect(), right = after.boundingRect().toAlignedRect();
        const QRect rows = left | right;
        left.setTop(rows.top());
        left.setBottom(rows.bottom());
        right.setTop(rows.top());
        right.setBottom(rows.bottom());

        QVERIFY(mendTextTone(gray, mask, {left, right}));

        QVERIFY2(inkIn(lost) >= drawn * 9 / 10, qPrintable(QStringLiteral("%1 of %2").arg(inkIn(lost)).arg(drawn)));
    }

    // A panel's edge a few pixels before a line is no letter of it: mending
    // the line's ends leaves it out.
    void mendingALinesEndsLeavesAnEdgeBesideItOut()
    {
        Page page = drawPage(QStringLiteral("15:19 Settings"), "Noto Sans", 22, false);
        const QRect edge(page.text.left() - 7, 0, 3, page.gray.height());
        QPainter(&page.gray).fillRect(edge, QColor("#f4f4f4"));
        QImage mask = inkMask(page.gray, inkKernelSize(page.gray.size()), TextTone::Dark);

        QVERIFY(mendTextTone(page.gray, mask, {page.text}));

        int edgeInk = 0;
        for (int y = page.text.top(); y <= page.text.bottom(); ++y) {
            for (int x = edge.left(); x <= edge.right(); ++x)
                edgeInk += mask.constScanLine(y)[x] != 0;
        }
        QCOMPARE(edgeInk, 0);
        QVERIFY(paperInInk(mask, page) < 0.05);
    }

    // Text the mask marks right, dark on light paper and light on a coloured
    // button, keeps the page's mask.
    void leavesTheMaskOfWellMarkedTextAlone()
    {
        QImage image(220, 60, QImage::Format_RGB32);
        image.fill(QColor(240, 240, 240));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(10, 124, 255));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(6, 14, 92, 30), 15, 15);
        QFont font("Noto Sans");
        font.setPixelSize(13);
        p.setFont(font);
        p.setPen(QColor(255, 255, 255));
        p.drawText(QPointF(24, 34), QStringLiteral("Continue"));
        p.setPen(QColor(28, 28, 30));
        p.drawText(QPointF(120, 34), QStringLiteral("Settings"));
        p.end();
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        QImage mask = inkMask(gray);
        const QImage kept = mask;

        QVERIFY(!mendTextTone(gray, mask, findLines(mask)));
        QCOMPARE(mask, kept);
    }
};

QTEST_MAIN(LineToneTest)
#include "LineToneTest.moc"
