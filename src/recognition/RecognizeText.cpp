#include "RecognizeText.h"

#include "EnginePool.h"
#include "RecognitionThreads.h"
#include "RecognizePage.h"
#include "Scripts.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

#include <exception>

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
        QCoreApplication *app = QCoreApplication::instance();
        if (!app || recognitionStopping())
            return;
        QMetaObject::invokeMethod(
            app, [items = std::move(items), completion = std::move(completion)] { completion(items); },
            Qt::QueuedConnection);
    });
}

void warmUpRecognizer()
{
    // One engine per model for every thread that may read lines at once.
    const int copies = recognitionThreads().maxThreadCount();
    for (int i = 0; i < copies; ++i) {
        recognitionThreads().start([copies] {
            keepOpenMPOnThisThread();
            for (const QString &model : scriptModels()) {
                if (recognitionStopping())
                    return;
                EnginePool::shared().preload(model, copies);
            }
        });
    }
}
