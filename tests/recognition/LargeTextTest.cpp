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

    // Headlines of thinner strokes, which the page's mask reads well, are
    // left as found.
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
    }
};

QTEST_MAIN(LargeTextTest)
#include "LargeTextTest.moc"
