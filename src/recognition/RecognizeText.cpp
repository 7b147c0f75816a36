// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizeText.h"

#include "EnginePool.h"
#include "PageLanguage.h"
#include "RecognitionThreads.h"
#include "RecognizePage.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

void recognizeText(const QImage &image, RecognitionCompletion completion, std::shared_ptr<RecognitionMemory> memory)
{
    recognitionThreads().start([image, completion = std::move(completion), memory = std::move(memory)]() mutable {
        TextItems items;
        for (const RecognizedLine &line : recognizeRemembering(image, memory.get()).lines)
            items.append(line.item);
        QCoreApplication *app = QCoreApplication::instance();
        if (!app || recognitionStopping())
            return;
        QMetaObject::invokeMethod(
            app, [items = std::move(items), completion = std::move(completion)] { completion(items); },
            Qt::QueuedConnection);
    });
}

void warmUpRecognizer(const QString &likeliest)
{
    // Every script's first model, which decides a page's script, and an
    // English engine for every thread; then the models of a page like the
    // last one read before, the likeliest page to come first.
    const int threads = recognitionThreads().maxThreadCount();
    QList<std::pair<QString, int>> engines;
    for (const QString &model : scriptProbes())
        engines.append({model, model == "eng" ? threads : 1});
    const QStringList models = modelsForPagesIn(likeliest);
    for (const QString &model : models)
        engines.append({model, model == models.last() ? threads : 1});
    for (const auto &[model, copies] : engines) {
        recognitionThreads().start([model, copies] {
            keepOpenMPOnThisThread();
            if (!recognitionStopping())
                EnginePool::shared().preload(model, copies);
        });
    }
}
