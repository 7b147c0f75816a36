#include "ProbeCommands.h"

#include "RecognitionThreads.h"
#include "RecognizeText.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThreadPool>

#include <cstdio>

namespace {

QByteArray itemsAsJson(const TextItems &items)
{
    QJsonArray array;
    for (const TextItem &item : items) {
        const QRectF &b = item.box;
        array.append(QJsonObject{{"text", item.text}, {"box", QJsonArray{b.x(), b.y(), b.width(), b.height()}}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

} // namespace

// Prints one JSON line per picture, as recognizeText delivers it, and the
// time each took on stderr; the language data is loaded first, as at launch.
int runOcrCommand(const QStringList &args)
{
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: quillmere-probe ocr IMAGE...\n");
        return 2;
    }
    QElapsedTimer warmUp;
    warmUp.start();
    warmUpRecognizer();
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
        TextItems items;
        QElapsedTimer timer;
        timer.start();
        recognizeText(image, [&](TextItems found) {
            items = std::move(found);
            loop.quit();
        });
        loop.exec();
        const double ms = timer.nsecsElapsed() / 1e6;
        std::printf("%s\n", itemsAsJson(items).constData());
        std::fflush(stdout);
        std::fprintf(stderr, "%s: %.1f ms, %lld lines\n", qPrintable(path), ms, static_cast<long long>(items.size()));
    }
    return failures ? 1 : 0;
}
