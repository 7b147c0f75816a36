#include "LineReader.h"

#include "EnginePool.h"
#include "RecognitionThreads.h"

#include <QImage>

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <memory>

LineReading readLine(const QImage &line, const QString &model)
{
    if (recognitionStopping())
        return {};
    EnginePool::Lease engine = EnginePool::shared().acquire(model);
    if (!engine)
        return {};
    engine->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    engine->SetImage(line.constBits(), line.width(), line.height(), 1, static_cast<int>(line.bytesPerLine()));
    const std::unique_ptr<char[]> text(engine->GetUTF8Text());
    if (!text)
        return {};
    LineReading reading{QString::fromUtf8(text.get()), engine->MeanTextConf(), model, {}};
    const std::unique_ptr<tesseract::ResultIterator> words(engine->GetIterator());
    if (words && !words->Empty(tesseract::RIL_WORD)) {
        do {
            const std::unique_ptr<char[]> word(words->GetUTF8Text(tesseract::RIL_WORD));
            int left = 0, top = 0, right = 0, bottom = 0;
            if (word && words->BoundingBox(tesseract::RIL_WORD, &left, &top, &right, &bottom))
                reading.words.append({QString::fromUtf8(word.get()), words->Confidence(tesseract::RIL_WORD),
                                      QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))});
        } while (words->Next(tesseract::RIL_WORD));
    }
    return reading;
}
