// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProbeCommands.h"

#include "RecognitionThreads.h"
#include "RecognizePage.h"
#include "RecognizeText.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFontDatabase>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaObject>
#include <QThreadPool>

#include <cstdio>
#include <ctime>

#include <sys/resource.h>

namespace {

// The lines as recognizeText delivers them; with `why`, each with the model
// that read it and why.
QByteArray linesAsJson(const QList<RecognizedLine> &lines, bool why)
{
    QJsonArray array;
    for (const RecognizedLine &line : lines) {
        const QRectF &b = line.item.box;
        QJsonObject item{{"text", line.item.text}, {"box", QJsonArray{b.x(), b.y(), b.width(), b.height()}}};
        if (why) {
            item["model"] = line.model;
            item["why"] = QJsonArray::fromStringList(line.why);
        }
        array.append(item);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

double cpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Where a page's processor time went, in one line: per stage, then per
// model, and how many readings its lines took.
QString profileOf(const RecognizedPage &page)
{
    QStringList parts;
    double total = 0;
    for (const auto &[stage, ms] : page.profile->stages()) {
        parts.append(QStringLiteral("%1 %2 ms").arg(stage).arg(ms, 0, 'f', 1));
        total += ms;
    }
    int readings = 0;
    for (const auto &[model, read] : page.profile->readings()) {
        parts.append(
            QStringLiteral("%1: %2 readings %3 ms").arg(model).arg(read.count).arg(read.milliseconds, 0, 'f', 1));
        readings += read.count;
        total += read.milliseconds;
    }
    double once = 0, reading = 0;
    for (const RecognizedLine &line : page.lines)
        once += line.readingMilliseconds;
    for (const auto &[model, read] : page.profile->readings())
        reading += read.milliseconds;
    parts.append(QStringLiteral("reading the %1 lines delivered once each %2 ms, %3 times that in all")
                     .arg(page.lines.size())
                     .arg(once, 0, 'f', 1)
                     .arg(once > 0 ? reading / once : 0, 0, 'f', 2));
    parts.append(QStringLiteral("%1 readings of %2 lines, %3 remembered, %4 models loaded, %5 ms in all")
                     .arg(readings)
                     .arg(page.linesRead)
                     .arg(page.readingsRemembered)
                     .arg(page.modelsLoaded)
                     .arg(total, 0, 'f', 1));
    return parts.join(QStringLiteral("; "));
}

} // namespace

// Prints one JSON line per picture, as recognizeText delivers it, and on
// stderr the wall-clock and processor time each took, then the peak memory;
// the language data is loaded first, as at launch. `--threads N` sets the
// number of recognition threads, as on a machine with N cores;
// `--language-before MODEL` starts as after a run whose last page was in that
// language ("jpn", "ell"); `--why` adds to each line the model that read it
// and why, and prints the page's language and why on stderr; `--profile`
// prints on stderr where each page's processor time went: per stage, per
// model read with, and how many readings its lines took. The pictures
// are read one after another, each knowing the one before, as pastes are.
int runOcrCommand(QStringList args)
{
    RecognitionMemory memory;
    bool why = false, profile = false;
    while (!args.isEmpty() && args[0].startsWith(QLatin1String("--"))) {
        if (args[0] == QLatin1String("--why") || args[0] == QLatin1String("--profile")) {
            (args[0] == QLatin1String("--why") ? why : profile) = true;
            args = args.mid(1);
            continue;
        }
        if (args.size() < 2)
            break;
        if (args[0] == QLatin1String("--threads"))
            recognitionThreads().setMaxThreadCount(std::max(1, args[1].toInt()));
        else if (args[0] == QLatin1String("--language-before"))
            memory.setLanguage(args[1]);
        else
            break;
        args = args.mid(2);
    }
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--"))) {
        std::fprintf(
            stderr,
            "usage: quillmere-probe ocr [--threads N] [--language-before MODEL] [--why] [--profile] IMAGE...\n");
        return 2;
    }
    // The app's window has drawn its text before the first paste, and with
    // it read the machine's fonts, which the first sizing would otherwise do.
    QFontDatabase::families();
    QElapsedTimer warmUp;
    warmUp.start();
    warmUpRecognizer(memory.language());
    recognitionThreads().waitForDone();
    std::fprintf(stderr, "warm-up: %lld ms\n", static_cast<long long>(warmUp.elapsed()));

    int failures = 0;
    for (const QString &path : args) {
        const QImage image(path);
        if (image.isNull()) {
            std::fprintf(stderr, "%s: cannot read the picture\n", qPrintable(path));
            std::printf("[]\n");
            ++failures;
            continue;
        }
        QEventLoop loop;
        RecognizedPage page;
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuMilliseconds();
        recognitionThreads().start([&] {
            page = recognizeRemembering(image, &memory);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        const double ms = timer.nsecsElapsed() / 1e6;
        const double cpu = cpuMilliseconds() - cpuStart;
        std::printf("%s\n", linesAsJson(page.lines, why).constData());
        std::fflush(stdout);
        if (why)
            std::fprintf(stderr, "%s: %s (%s)\n", qPrintable(path), qPrintable(page.language),
                         qPrintable(page.why.join(QStringLiteral("; "))));
        if (profile && page.profile)
            std::fprintf(stderr, "%s: profile: %s\n", qPrintable(path), qPrintable(profileOf(page)));
        std::fprintf(stderr, "%s: %.1f ms, %.1f ms cpu, %lld lines\n", qPrintable(path), ms, cpu,
                     static_cast<long long>(page.lines.size()));
    }
    std::fprintf(stderr, "peak memory: %ld MB\n", peakMegabytes());
    return failures ? 1 : 0;
}
