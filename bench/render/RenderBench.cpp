// SPDX-License-Identifier: GPL-3.0-or-later

// quillmere-render-bench: how long renderOverlay takes for 20, 200 and 1000
// lines on 1920 x 1080 and 3840 x 2160 pictures, for an opaque source and
// one with an alpha channel. Prints the median and the fastest of several
// runs, and for comparison the time of a plain deep copy of the picture;
// first, the one call that finds the font caches cold.
#include "RenderOverlay.h"
#include "Screenshots.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 7;

// Translations of every length a screen holds, in the scripts the app
// writes; some are longer than their line and have to shrink or wrap.
QStringList translationsFor(qsizetype count)
{
    static const QStringList pool{
        QStringLiteral("פתיחה"),        QStringLiteral("שמירה בשם"),  QStringLiteral("קבצים אחרונים"),
        QStringLiteral("Закрыть"),      QStringLiteral("Печать"),     QStringLiteral("Экспорт в PDF"),
        QStringLiteral("تراجع"),        QStringLiteral("بحث"),        QStringLiteral("استبدال الكل"),
        QStringLiteral("הגדלת התצוגה"), QStringLiteral("Настройки"),  QStringLiteral("مساعدة"),
        QStringLiteral("חלון חדש"),     QStringLiteral("Поделиться"), QStringLiteral("إعادة التسمية"),
        QStringLiteral("העברה לאשפה")};
    QStringList translated;
    for (qsizetype i = 0; i < count; ++i)
        translated.append(pool.at(i % pool.size()));
    return translated;
}

struct Timing {
    double median = 0;
    double fastest = 0;
};

template <typename Work> Timing measure(Work work)
{
    work(); // warms the font and glyph caches
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage result = work();
        runs.push_back(timer.nsecsElapsed() / 1.0e6);
    }
    std::sort(runs.begin(), runs.end());
    return Timing{runs[runs.size() / 2], runs.front()};
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    {
        // The app's first overlay also loads the faces and fills the glyph
        // caches; every later one finds them warm.
        const Screenshot shot = denseScreenshot(QSize(1920, 1080), 200);
        QElapsedTimer timer;
        timer.start();
        renderOverlay(shot.image, shot.items, translationsFor(shot.items.size()));
        std::printf("first call in the process, 1920x1080, 200 lines: %.1f ms\n\n", timer.nsecsElapsed() / 1.0e6);
    }
    std::printf("%-11s %-7s %6s %12s %12s %12s\n", "picture", "source", "lines", "median ms", "fastest ms", "copy ms");
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        for (const int lines : {20, 200, 1000}) {
            const Screenshot shot = denseScreenshot(size, lines);
            const QStringList translated = translationsFor(shot.items.size());
            for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
                const QImage source = shot.image.convertToFormat(format);
                const Timing full = measure([&] { return renderOverlay(source, shot.items, translated); });
                const Timing copy = measure([&] { return source.copy(); });
                std::printf("%4dx%-6d %-7s %6lld %12.1f %12.1f %12.1f\n", size.width(), size.height(),
                            format == QImage::Format_RGB32 ? "opaque" : "alpha", qlonglong(shot.items.size()),
                            full.median, full.fastest, copy.median);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
