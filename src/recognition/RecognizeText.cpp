// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizeText.h"

#include "EnginePool.h"
#include "RecognitionThreads.h"
#include "RecognizePage.h"
#include "Scripts.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

#include <exception>

#include <malloc.h>

void recognizeText(const QImage &image, RecognitionCompletion completion)
{
    recognitionThreads().start([image, completion = std::move(completion)]() mutable {
        keepOpenMPOnThisThread();
        TextItems items;
        try {
            items = recognizePage(image);
        } catch (const std::exception &) {
            items.clear();
        }
        // A page leaves megabytes of freed line buffers spread over the heap;
        // handing them back keeps the next language's engines from growing
        // the process further.
        malloc_trim(0);
        QCoreApplication *app = QCoreApplication::instance();
        if (!app || recognitionStopping())
            return;
        QMetaObject::invokeMethod(
            app, [items = std::move(items), completion = std::move(completion)] { completion(items); },
            Qt::QueuedConnection);
    });
}

void warmUpRecognizer(const QString &languageBefore)
{
    rememberLanguage(languageBefore);
    // Every script's first model, which decides a page's script, and an
    // English engine for every thread; then the models of a page like the
    // last one read before, the likeliest page to come first.
    const int threads = recognitionThreads().maxThreadCount();
    QList<std::pair<QString, int>> engines;
    for (const QString &model : scriptProbes())
        engines.append({model, model == "eng" ? threads : 1});
    const QStringList likeliest = modelsForPagesIn(lastPageLanguage());
    for (const QString &model : likeliest)
        engines.append({model, model == likeliest.last() ? threads : 1});
    for (const auto &[model, copies] : engines) {
        recognitionThreads().start([model, copies] {
            keepOpenMPOnThisThread();
            if (!recognitionStopping())
                EnginePool::shared().preload(model, copies);
        });
    }
}
