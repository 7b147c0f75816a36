#include "RecognizeText.h"

#include <QCoreApplication>
#include <QMetaObject>

// Placeholder until the OCR engine is wired in: reports no lines, with the
// same asynchronous delivery on the main thread as the real recogniser.
void recognizeText(const QImage &, RecognitionCompletion completion)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [completion = std::move(completion)] { completion({}); }, Qt::QueuedConnection);
}
