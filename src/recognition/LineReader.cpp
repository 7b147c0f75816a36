#include "LineReader.h"

#include "EnginePool.h"

#include <QImage>

#include <tesseract/baseapi.h>

#include <memory>

LineReading readLine(const QImage &line, const QString &model)
{
    EnginePool::Lease engine = EnginePool::shared().acquire(model);
    if (!engine)
        return {};
    engine->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    engine->SetImage(line.constBits(), line.width(), line.height(), 1, static_cast<int>(line.bytesPerLine()));
    const std::unique_ptr<char[]> text(engine->GetUTF8Text());
    if (!text)
        return {};
    return {QString::fromUtf8(text.get()), engine->MeanTextConf()};
}
