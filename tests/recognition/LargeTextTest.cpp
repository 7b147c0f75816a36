// SPDX-License-Identifier: GPL-3.0-or-later

#include "LargeText.h"
#include "InkMask.h"
#include "LineFinder.h"
#include "LineImage.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTest>

namespace {

struct Poster {
    QImage gray;
    QRect title;    // the headline's box
    QRect subtitle; // the line of smaller text under it
};

// A headline in bold white letters, with a soft shadow, over a sky that
// brightens towards the horizon, and a line of smaller text under it.
Poster drawPoster(int headlinePx, bool clouds = false)
{
    QImage image(960, 540, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, 540);
    sky.setColorAt(0, QColor("#5d86b8"));
    sky.setColorAt(1, QColor("#c9d8e6"));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; clouds && i < 12; ++i) {
        const QPointF centre(60 + 73 * i, 90 + 37 * (i % 4));
        QRadialGradient cloud(centre, 50);
        cloud.setColorAt(0, QColor(255, 255, 255, 150));
        cloud.setColorAt(1, QColor(255, 255, 255, 0));
        p.fillRect(image.rect(), cloud);
    }
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

    // A headline is read at a smaller size, where the clouds behind it would
    // blend with its strokes into greys: its image keeps the strokes and their
    // edges on white.
    void aHeadlinesImageHoldsNoneOfThePictureBehindIt()
    {
        const Poster poster = drawPoster(130, true);
        QImage mask = inkMask(poster.gray);
        QList<QRect> lines = findLines(mask);
        addLargeLines(poster.gray, mask, lines);
        const QRect title = lineOn(lines, poster.title);
        QVERIFY(!title.isEmpty());

        const QImage image = lineImage(poster.gray, mask, title);
        qsizetype greys = 0;
        for (int y = 0; y < image.height(); ++y) {
            const uchar *row = image.constScanLine(y);
            greys += std::count_if(row, row + image.width(), [](uchar v) { return v > 40 && v < 215; });
        }
        QVERIFY2(greys * 10 < qsizetype(image.width()) * image.height(), qPrintable(QString::number(greys)));
    }
};

QTEST_MAIN(LargeTextTest)
#include "LargeTextTest.moc"
