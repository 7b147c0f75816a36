#include "RecognizePage.h"

#include "InkMask.h"
#include "LineFilter.h"
#include "LineFinder.h"
#include "LineImage.h"
#include "LineReader.h"
#include "LineText.h"
#include "RecognitionThreads.h"
#include "Scripts.h"
#include "TextBand.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {

// A reading this sure is taken without trying the other scripts.
constexpr int sureConfidence = 85;
// The widest lines decide which script is tried first on every line.
constexpr int sampleLines = 3;

QImage grayOf(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

// The model whose readings of the page's widest lines are surest.
QString leadingModel(const QList<QImage> &images)
{
    QList<int> order(images.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return images[a].width() > images[b].width(); });
    order.resize(std::min<qsizetype>(order.size(), sampleLines));
    const QStringList &models = scriptModels();
    QList<int> confidence(order.size() * models.size());
    parallelFor(confidence.size(), [&](int i) {
        const QImage &line = images[order[i / models.size()]];
        confidence[i] = line.isNull() ? 0 : std::max(0, readLine(line, models[i % models.size()]).confidence);
    });
    int best = 0, bestTotal = -1;
    for (int m = 0; m < models.size(); ++m) {
        int total = 0;
        for (int s = 0; s < order.size(); ++s)
            total += confidence[s * models.size() + m];
        if (total > bestTotal) {
            best = m;
            bestTotal = total;
        }
    }
    return models[best];
}

LineReading readInBestScript(const QImage &line, const QString &lead)
{
    LineReading best = readLine(line, lead);
    if (best.confidence >= sureConfidence)
        return best;
    for (const QString &model : scriptModels()) {
        if (model == lead)
            continue;
        LineReading other = readLine(line, model);
        if (other.confidence > best.confidence)
            best = std::move(other);
    }
    return best;
}

} // namespace

TextItems recognizePage(const QImage &image)
{
    if (image.isNull())
        return {};
    const QImage gray = grayOf(image);
    const QImage mask = inkMask(gray);
    if (mask.isNull())
        return {};
    const QList<QRect> lines = findLines(mask);
    if (lines.isEmpty())
        return {};

    QList<QImage> images(lines.size());
    parallelFor(lines.size(), [&](int i) { images[i] = lineImage(gray, mask, lines[i]); });
    const QString lead = leadingModel(images);
    QList<LineReading> readings(lines.size());
    parallelFor(lines.size(), [&](int i) {
        if (!images[i].isNull())
            readings[i] = readInBestScript(images[i], lead);
    });

    TextItems items;
    for (int i = 0; i < lines.size(); ++i) {
        const LineReading &reading = readings[i];
        const KeptLine kept = keptLine(reading, reading.model == lead);
        if (kept.text.isEmpty())
            continue;
        QRect box = lines[i];
        if (kept.count < reading.words.size()) {
            // Dropped junk words take their part of the box with them.
            QRect words;
            for (qsizetype w = kept.first; w < kept.first + kept.count; ++w)
                words |= reading.words[w].box;
            box = pageBox(gray, lines[i], images[i], words).intersected(lines[i]);
        }
        items.append({kept.text, normalisedBox(textBand(gray, mask, box, kept.text), image.size())});
    }
    return items;
}
