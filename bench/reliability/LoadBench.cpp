// SPDX-License-Identifier: GPL-3.0-or-later

// Memory and threads under load, with the real recogniser, translation client
// and renderer against the fake service at argv[1]: a job of 2,000 lines, run
// three times (the second and third answered from the memory of answers), three
// batches of jobs of 24,000 new lines each (past the memory's bound), and
// rounds of 50 pastes in quick succession. Prints a Markdown table of resident
// memory (after giving freed memory back to the system) and thread counts
// before and after each.
#include "AppDelegate.h"
#include "ImageView.h"
#include "RecognizeText.h"
#include "TargetLanguages.h"
#include "TextPicture.h"
#include "TranslationRoute.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <malloc.h>

#include <cstdio>

namespace {

TranslationRoute route;

struct Figures {
    double rssMiB = 0;
    int threads = 0;
};

Figures figures()
{
    malloc_trim(0);
    Figures now;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                now.rssMiB = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            if (line.startsWith("Threads:"))
                now.threads = line.mid(8).trimmed().toInt();
        }
    }
    return now;
}

void settle(const std::function<bool()> &done, int milliseconds = 300'000)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void pause(int milliseconds)
{
    settle([] { return false; }, milliseconds);
}

// Three lines, light or dark, on a picture whose width tells which paste it was.
QImage screenshot(int paste)
{
    return textPicture(
        QSize(640 + paste, 160),
        {QStringLiteral("Open the settings"), QStringLiteral("Save your changes"), QStringLiteral("Close this window")},
        22, paste % 2 ? QColor(0x20, 0x24, 0x2a) : QColor(Qt::white),
        paste % 2 ? QColor(Qt::white) : QColor(Qt::black));
}

void row(const char *what, const Figures &before, const Figures &after, qint64 ms)
{
    std::printf("| %s | %.1f | %.1f | %d | %d | %.1f |\n", what, before.rssMiB, after.rssMiB, before.threads,
                after.threads, double(ms) / 1000.0);
    std::fflush(stdout);
}

} // namespace

void translateText(const QString &text, const QString &to, TranslationCompletion completion)
{
    translateText(text, to, std::move(completion), route);
}

void openTranslationConnection()
{
    openTranslationConnection(route);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: reliability-bench ENDPOINT\n");
        return 2;
    }
    route = {QByteArray(argv[1]), {std::chrono::seconds(120), std::chrono::seconds(240)}};
    QLabel status;
    QComboBox popup;
    for (const TargetLanguage &language : targetLanguages)
        popup.addItem(language.name);
    ImageView view;
    AppDelegate delegate;
    delegate.statusLabel = &status;
    delegate.popup = &popup;
    delegate.imageView = &view;
    warmUpRecognizer();

    // One paste to its end, so that engines, fonts and connections exist.
    QGuiApplication::clipboard()->setImage(screenshot(0));
    delegate.pasteNow();
    settle([&] { return delegate.lastImage.has_value(); });

    std::printf("| run | RSS before (MiB) | RSS after (MiB) | threads before | threads after | seconds |\n");
    std::printf("|---|---|---|---|---|---|\n");
    QImage page(1600, 20'000, QImage::Format_RGB32);
    page.fill(Qt::white);
    TextItems lines;
    for (int k = 0; k < 2000; ++k)
        lines.append({QStringLiteral("Line number %1 of a long page").arg(k),
                      QRectF(0.05, 1.0 - (k + 1) / 2000.0, 0.9, 0.0008)});
    for (int run = 1; run <= 3; ++run) {
        const Figures before = figures();
        QElapsedTimer clock;
        clock.start();
        delegate.currentCG = page;
        delegate.currentItems = lines;
        const qint64 job = delegate.jobID + 1;
        delegate.lastImage.reset();
        delegate.translateAndShow();
        settle([&] { return delegate.lastImage.has_value() && delegate.jobID == job; });
        const qint64 ms = clock.elapsed();
        const int translated = int(delegate.lastText.count(QStringLiteral("[iw] ")));
        pause(500);
        char what[96];
        std::snprintf(what, sizeof what, "2,000-line job %d (%d lines translated)", run, translated);
        row(what, before, figures(), ms);
    }
    for (int batch = 1; batch <= 3; ++batch) {
        const Figures before = figures();
        QElapsedTimer clock;
        clock.start();
        for (int job = 0; job < 12; ++job) {
            for (int k = 0; k < 2000; ++k)
                lines[k].text = QStringLiteral("Batch %1, job %2, line %3 of a long page").arg(batch).arg(job).arg(k);
            delegate.currentItems = lines;
            const qint64 number = delegate.jobID + 1;
            delegate.translateAndShow();
            settle([&] { return delegate.jobID == number && status.text().startsWith(u"בוצע"); });
        }
        const qint64 ms = clock.elapsed();
        pause(500);
        char what[96];
        std::snprintf(what, sizeof what, "12 jobs of 2,000 new lines, batch %d (%lld answers remembered)", batch,
                      qlonglong(delegate.translationMemory.size()));
        row(what, before, figures(), ms);
    }
    for (int round = 1; round <= 3; ++round) {
        const Figures before = figures();
        QElapsedTimer clock;
        clock.start();
        for (int paste = 1; paste <= 50; ++paste) {
            QGuiApplication::clipboard()->setImage(screenshot(paste));
            delegate.pasteNow();
            pause(40);
        }
        settle([&] {
            return delegate.lastImage && delegate.lastImage->width() == 690 && status.text().startsWith(u"בוצע");
        });
        const qint64 ms = clock.elapsed();
        // Overtaken recognitions and jobs still run to their end.
        pause(3'000);
        char what[64];
        std::snprintf(what, sizeof what, "50 pastes, round %d", round);
        row(what, before, figures(), ms);
    }
    return 0;
}
