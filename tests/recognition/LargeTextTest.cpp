// SPDX-License-Identifier: GPL-3.0-or-later

#include "LargeText.h"
#include "InkMask.h"
#include "LineFinder.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

namespace {

struct Poster {
    QImage gray;
    QRect title;    // the headline's box
    QRect subtitle; // the line of smaller text under it
};

// A headline in bold white letters, with a soft shadow, over a sky that
// brightens towards the horizon, and a line of smaller text under it.
Poster drawPoster(int headlinePx)
{
    QImage image(960, 540, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 540);
    sky.setColorAt(0, QColor("#5d86b8"));
    sky.setColorAt(1, QColor("#c9d8e6"));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("Noto Sans");
    font.setBold(true);
    font.setPixelSize(headlinePx);
    QPainterPath title;
    title.addText(40, 200, font, QStringLiteral("zakładek"));
    p.fillPath(title.translated(3, 3), QColor(40, 50, 70, 120));
    p.fillPath(title, Qt::white);
    font.setBold(false);
    font.setPixelSize(22);
    QPainterPath subtitle;
    subtitle.addText(40, 280, font, QStringLiteral("wymagaj, żeby stara wartość"));
    p.fillPath(subtitle, Qt::white);
    p.end();
    return {image.convertToFormat(QImage::Format_Grayscale8), title.boundingRect().toAlignedRect(),
            subtitle.boundingRect().toAlignedRect()};
}

// The line that lies on `text`: it covers most of its width and about its
// height, or an empty box.
QRect lineOn(const QList<QRect> &lines, const QRect &text)
{
    for (const QRect &line : lines) {
        const QRect shared = line & text;
        if (shared.width() >= 0.9 * text.width() && shared.height() >= 0.8 * text.height() &&
            line.height() <= 1.4 * text.height())
            return line;
    }
    return {};
}

} // namespace

class LargeTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A headline whose strokes are as wide as the page's mask looks is found
    // as one line; the smaller text under it keeps its own.
    void findsAHeadlineTooLargeForThePagesMask()
    {
        const Poster poster = drawPoster(130);
        QImage mask = inkMask(poster.gray);
        QList<QRect> lines = findLines(mask);
        QVERIFY(lineOn(lines, poster.title).isEmpty());

        addLargeLines(poster.gray, mask, lines);

        QVERIFY2(!lineOn(lines, poster.title).isEmpty(), qPrintable(QDebug::toString(lines)));
        QVERIFY(!lineOn(lines, poster.subtitle).isEmpty());
    }

    // Text the page's mask reads well is left as found: headlines of thinner
    // strokes, a list's selected row, whose two rows of text the smaller copy
    // blurs into one bold band, and an avatar beside it.
    void leavesWhatThePageFoundAlone()
    {
        for (const int px : {40, 22}) {
            const Poster poster = drawPoster(px);
            QImage mask = inkMask(poster.gray);
            QList<QRect> lines = findLines(mask);
            const QList<QRect> found = lines;
            addLargeLines(poster.gray, mask, lines);
            QCOMPARE(lines, found);
        }

        QImage list(960, 540, QImage::Format_RGB32);
        list.fill(QColor("#f2f2f7"));
        QPainter p(&list);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(0, 100, 320, 76), QColor("#0a7cff"));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor("#5fc37a"));
        p.drawEllipse(QRect(14, 112, 52, 52));
        QFont font("Noto Sans");
        font.setPixelSize(14);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QPointF(80, 132), QStringLiteral("Siouan dilleri"));
        font.setBold(false);
        font.setPixelSize(12);
        p.setFont(font);
        p.drawText(QPointF(80, 158), QStringLiteral("geliştirici betiğinin bağlamı"));
        p.end();
        const QImage gray = list.convertToFormat(QImage::Format_Grayscale8);
        QImage mask = inkMask(gray);
        QList<QRect> lines = findLines(mask);
        const QList<QRect> found = lines;
        addLargeLines(gray, mask, lines);
        QCOMPARE(lines, found);
    }
};

QTEST_MAIN(LargeTextTest)
#include "LargeTextTest.moc"
