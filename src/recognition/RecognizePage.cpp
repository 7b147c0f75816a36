// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizePage.h"

#include "InkMask.h"
#include "LineFilter.h"
#include "LineFinder.h"
#include "LineImage.h"
#include "LineReader.h"
#include "PageLanguage.h"
#include "RecognitionThreads.h"
#include "TextBand.h"

#include <QImage>
#include <QPainter>

#include <exception>

#include <malloc.h>

namespace {

// A reading this sure is taken without trying English too.
constexpr int sureConfidence = 85;

QImage grayOf(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

// Reads a line in the page's script and language, and in the others when it
// may be of them: lines in English around East Asian text (a foreign app's
// content in an English interface) are read with English too when the page's
// model is unsure. A line the page's model reads mostly in its own script is
// not English: English reads a short line of Han, kana or Hangul as capitals
// ("REA" for 蘇蘇語) about as surely as the page's model reads them right, and
// a second reading costs as much as the first.
LineReading readInScript(const QImage &line, const LanguageChoice &page, const ReadLineFn &read)
{
    const Script &script = *page.script;
    const QString lead = script.readingModel(page.language);
    LineReading best = read(line, lead);
    best.why.append(QStringLiteral("the page's model"));
    const bool others = !script.withLatin && !isLatinModel(page.language);
    if (others && best.confidence < sureConfidence && nonLatinShare(best.text()) < 0.5) {
        LineReading english = read(line, QStringLiteral("eng"));
        if (english.confidence > best.confidence) {
            english.why.append(QStringLiteral("%1 unsure (%2), eng surer (%3)")
                                   .arg(lead)
                                   .arg(best.confidence)
                                   .arg(english.confidence));
            return english;
        }
    }
    for (const SecondReading again : script.secondReadings)
        again(line, best, page.language, read);
    if (script.finalFix) {
        for (WordReading &word : best.words)
            word.text = script.finalFix(word.text);
    }
    return best;
}

// The line's item as delivered, its box in pixels of the page, or an item
// without text when the line is junk.
TextItem lineItem(const QImage &gray, const QImage &mask, const QRect &line, const QImage &lineImage,
                  const LineReading &reading, bool inPageScript)
{
    const KeptLine kept = keptLine(reading, inPageScript);
    if (kept.text.isEmpty())
        return {};
    const auto wordsBox = [&](qsizetype first, qsizetype count) {
        QRect words;
        for (qsizetype w = first; w < first + count; ++w)
            words |= reading.words[w].box;
        return pageBox(gray, line, lineImage, words).intersected(line);
    };
    // Dropped junk words take their part of the box with them; the marks
    // beside the text stay under its plate.
    const bool whole = kept.count == reading.words.size();
    const QRect box = whole ? line : wordsBox(kept.first, kept.count);
    QRectF band = textBand(gray, mask, box, kept.text);
    if (!whole && kept.inkCount > kept.count)
        band |= QRectF(wordsBox(kept.inkFirst, kept.inkCount));
    return {kept.text, band};
}

} // namespace

RecognizedPage recognizePage(const QImage &image, const QString &languageBefore)
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
    const ReadLineFn read = readLine;
    const LanguageChoice page = choosePageLanguage(images, languageBefore, read);
    if (!page.script)
        return {};
    const QString lead = page.script->readingModel(page.language);
    QList<LineReading> readings(lines.size());
    QList<TextItem> sized(lines.size());
    {
        // Sizing draws text.
        DrawingQueue sizing([&](int i) {
            const LineReading &reading = std::as_const(readings)[i];
            sized[i] = lineItem(gray, mask, lines[i], images[i], reading, reading.model == lead);
        });
        parallelFor(lines.size(), [&](int i) {
            if (images[i].isNull())
                return;
            readings[i] = readInScript(images[i], page, read);
            sizing.add(i);
        });
    }
    RecognizedPage recognized{{}, page.language, page.why};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!sized[i].text.isEmpty())
            recognized.lines.append(
                {{sized[i].text, normalisedBox(sized[i].box, image.size())}, readings[i].model, readings[i].why});
    }
    return recognized;
}

RecognizedPage recognizeRemembering(const QImage &image, RecognitionMemory *memory)
{
    keepOpenMPOnThisThread();
    RecognizedPage page;
    try {
        page = recognizePage(image, memory ? memory->language() : QString());
    } catch (const std::exception &) {
        page = {};
    }
    if (memory && !page.language.isEmpty())
        memory->setLanguage(page.language);
    // A page leaves megabytes of freed line buffers spread over the heap;
    // handing them back keeps the next language's engines from growing the
    // process further.
    malloc_trim(0);
    return page;
}
