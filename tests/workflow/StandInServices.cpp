#include "RealClientFixture.h"

namespace standIns {

QList<RecognitionCompletion> &recognitions()
{
    static QList<RecognitionCompletion> calls;
    return calls;
}

QList<Render> &renders()
{
    static QList<Render> calls;
    return calls;
}

} // namespace standIns

void recognizeText(const QImage &, RecognitionCompletion completion)
{
    standIns::recognitions().append(std::move(completion));
}

QImage renderOverlay(const QImage &source, const TextItems &items, const QStringList &translated)
{
    standIns::renders().append({items, translated});
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(QColor(0x12, 0x34, 0x56));
    return result;
}
