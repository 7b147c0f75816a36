// SPDX-License-Identifier: GPL-3.0-or-later

// The readings of lines read before: given back for the same pixels and
// model only, within their bound, and identical to reading anew.
#include "ReadingCache.h"
#include "RecognizePage.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QImage lineImage(int variant)
{
    QImage image(200, 40, QImage::Format_Grayscale8);
    image.fill(255);
    image.setPixel(variant % 200, (variant / 200) % 40, 0);
    return image;
}

LineReading readingOf(const QString &text)
{
    LineReading reading{90, QStringLiteral("eng")};
    reading.words.append({text, 90, QRect(4, 4, 100, 30)});
    return reading;
}

// A settings page with a few lines, as a screenshot.
QImage page(const QStringList &lines)
{
    QImage image(520, 40 + 40 * int(lines.size()), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Noto Sans"));
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setPen(QColor("#202020"));
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(QPointF(30, 40 + 40 * i), lines[i]);
    return image;
}

int readingsOf(const RecognizedPage &page)
{
    int count = 0;
    for (const auto &[model, readings] : page.profile->readings())
        count += readings.count;
    return count;
}

} // namespace

class ReadingCacheTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void givesBackOnlyTheSamePixelsAndModel()
    {
        ReadingCache cache;
        cache.insert(lineImage(7), QStringLiteral("eng"), readingOf(QStringLiteral("Save")));
        const std::optional<LineReading> same = cache.find(lineImage(7), QStringLiteral("eng"));
        QVERIFY(same);
        QCOMPARE(same->text(), QStringLiteral("Save"));
        QCOMPARE(same->confidence, 90);
        QVERIFY(!cache.find(lineImage(8), QStringLiteral("eng")));
        QVERIFY(!cache.find(lineImage(7), QStringLiteral("heb")));
        QVERIFY(!cache.find(lineImage(7).scaled(200, 41), QStringLiteral("eng")));
    }

    // The least recently used go first once the bound is reached.
    void staysWithinItsBound()
    {
        const std::size_t bound = 64 << 10;
        ReadingCache cache(bound);
        for (int i = 0; i < 2000; ++i) {
            cache.insert(lineImage(i), QStringLiteral("eng"), readingOf(QStringLiteral("line %1").arg(i)));
            if (i % 10 == 0)
                QVERIFY(cache.find(lineImage(0), QStringLiteral("eng")));
            QVERIFY(cache.bytes() <= bound);
        }
        QVERIFY(cache.size() < 2000);
        QVERIFY(cache.find(lineImage(0), QStringLiteral("eng")));
        QVERIFY(cache.find(lineImage(1999), QStringLiteral("eng")));
        QVERIFY(!cache.find(lineImage(1), QStringLiteral("eng")));
    }

    // A page pasted again is not read again, and comes out the same; a page
    // scrolled by a line has only its new line read.
    void pageReadAgainIsIdentical()
    {
        ReadingCache cache;
        const QStringList lines{QStringLiteral("Do you want to keep these settings?"),
                                QStringLiteral("Your password was changed yesterday"),
                                QStringLiteral("Automatic updates are turned off")};
        const RecognizedPage first = recognizePage(page(lines), QString(), &cache);
        const RecognizedPage again = recognizePage(page(lines), QString(), &cache);
        QCOMPARE(first.lines.size(), lines.size());
        QCOMPARE(again.lines.size(), first.lines.size());
        for (qsizetype i = 0; i < first.lines.size(); ++i) {
            QCOMPARE(again.lines[i].item.text, first.lines[i].item.text);
            QCOMPARE(again.lines[i].item.box, first.lines[i].item.box);
        }
        QVERIFY(readingsOf(first) > 0);
        QCOMPARE(readingsOf(again), 0);
        QVERIFY(again.readingsRemembered > 0);

        const RecognizedPage scrolled = recognizePage(
            page(lines.mid(1) + QStringList{QStringLiteral("Meeting moved to Thursday")}), QString(), &cache);
        QCOMPARE(scrolled.lines.size(), lines.size());
        QVERIFY(readingsOf(scrolled) >= 1);
        QVERIFY(readingsOf(scrolled) < readingsOf(first));
    }
};

QTEST_MAIN(ReadingCacheTest)
#include "ReadingCacheTest.moc"
