// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizePage.h"

#include "EnginePool.h"
#include "InkMask.h"
#include "LargeText.h"
#include "LineFilter.h"
#include "LineFinder.h"
#include "LineImage.h"
#include "LineReader.h"
#include "LineScript.h"
#include "LineTone.h"
#include "ReadingCache.h"
#include "RecognitionThreads.h"
#include "TextBand.h"

#include <QImage>
#include <QPainter>

#include <atomic>
#include <exception>

#include <malloc.h>

namespace {

QImage grayOf(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

// The line's item as delivered, its box in pixels of the page, or an item
// without text when the line is junk.
TextItem lineItem(const QImage &gray, const QImage &mask, const QRect &line, const QImage &lineImage,
                  const LineReading &reading, bool inPageScript)
{
    const KeptLine kept = keptLine(reading, inPageScript);
    if (kept.text.isEmpty())
        return {};
    // Dropped junk words take their part of the box with them.
    QRect box = line;
    if (kept.count < reading.words.size()) {
        QRect words;
        for (qsizetype w = kept.first; w < kept.first + kept.count; ++w)
            words |= reading.words[w].box;
        box = pageBox(gray, line, lineImage, words).intersected(line);
    }
    if (isPictogram(reading, kept.text, gray, mask, line, box))
        return {};
    return {kept.text, textBand(gray, mask, box, kept.text)};
}

RecognizedPage readPage(const QImage &image, const QString &languageBefore, ReadingCache *readings,
                        PageProfile &profile)
{
    RecognizedPage recognized;
    if (image.isNull())
        return recognized;
    QImage gray, mask;
    {
        const StageTimer timer(profile, QStringLiteral("ink mask"));
        gray = grayOf(image);
        mask = inkMask(gray);
    }
    if (mask.isNull())
        return recognized;
    QList<QRect> lines;
    {
        const StageTimer timer(profile, QStringLiteral("line finding"));
        lines = findLines(mask);
        if (mendTextTone(gray, mask, lines))
            lines = findLines(mask);
        addLargeLines(gray, mask, lines);
        // The image a line is read from and its plate are framed by what
        // lies around its box.
        for (QRect &line : lines)
            line = withoutEvenRows(gray, line);
    }
    // Masks made while recognition stops are unfinished.
    if (lines.isEmpty() || recognitionStopping())
        return recognized;

    QList<QImage> images(lines.size());
    parallelFor(lines.size(), [&](int i) {
        const StageTimer timer(profile, QStringLiteral("line images"));
        if (!tooSmallToRead(lines[i]))
            images[i] = lineImage(gray, mask, lines[i]);
    });
    std::atomic<int> remembered = 0;
    const ReadLineFn read = [&](const QImage &line, const QString &model) {
        const double start = threadMilliseconds();
        if (readings) {
            if (std::optional<LineReading> known = readings->find(line, model)) {
                ++remembered;
                profile.addStage(QStringLiteral("readings remembered"), threadMilliseconds() - start);
                return *std::move(known);
            }
        }
        LineReading reading = readLine(line, model);
        reading.milliseconds = threadMilliseconds() - start;
        if (readings && !recognitionStopping())
            readings->insert(line, model, reading);
        profile.addReading(model, reading.milliseconds);
        return reading;
    };
    const LanguageChoice page = [&] {
        const double start = threadMilliseconds();
        const std::map<QString, PageProfile::Readings> before = profile.readings();
        LanguageChoice choice = choosePageLanguage(images, languageBefore, read);
        // Its readings run on every thread; those of the calling thread are
        // in its time, and are counted as readings.
        double reading = 0;
        for (const auto &[model, readings] : profile.readings())
            reading += readings.milliseconds - (before.contains(model) ? before.at(model).milliseconds : 0);
        profile.addStage(QStringLiteral("script and language (besides readings)"),
                         std::max(0.0, threadMilliseconds() - start - reading));
        return choice;
    }();
    if (!page.script)
        return recognized;
    recognized.language = page.language;
    recognized.why = page.why;
    const QString lead = page.script->readingModel(page.language);
    if (page.script->lineHeight != readingHeight)
        parallelFor(lines.size(), [&](int i) {
            const StageTimer timer(profile, QStringLiteral("line images"));
            if (!tooSmallToRead(lines[i]))
                images[i] = lineImage(gray, mask, lines[i], page.script->lineHeight);
        });
    OtherScripts others(page);
    QList<LineReading> lineReadings(lines.size());
    QList<TextItem> sized(lines.size());
    {
        // Sizing draws text.
        DrawingQueue sizing([&](int i) {
            const StageTimer timer(profile, QStringLiteral("sizing"));
            const LineReading &reading = std::as_const(lineReadings)[i];
            sized[i] = lineItem(gray, mask, lines[i], images[i], reading, reading.model == lead);
        });
        parallelFor(lines.size(), [&](int i) {
            if (images[i].isNull())
                return;
            lineReadings[i] = readLineInScript(images[i], page, others, read);
            sizing.add(i);
        });
    }
    dropOddSizedLines(sized, lineReadings, lead);
    dropLinesReadTwice(sized, lineReadings);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!sized[i].text.isEmpty())
            recognized.lines.append({{sized[i].text, normalisedBox(sized[i].box, image.size())},
                                     lineReadings[i].model,
                                     lineReadings[i].why,
                                     lineReadings[i].milliseconds});
    }
    recognized.linesRead =
        int(std::count_if(images.begin(), images.end(), [](const QImage &i) { return !i.isNull(); }));
    recognized.readingsRemembered = remembered;
    return recognized;
}

} // namespace

RecognizedPage recognizePage(const QImage &image, const QString &languageBefore, ReadingCache *readings)
{
    const auto profile = std::make_shared<PageProfile>();
    EnginePool &engines = EnginePool::shared();
    engines.beginPage();
    // Engines load on a thread of their own, outside every stage's time.
    const EnginePool::Loads before = engines.loadsSoFar();
    RecognizedPage recognized = readPage(image, languageBefore, readings, *profile);
    const EnginePool::Loads after = engines.loadsSoFar();
    if (after.count > before.count)
        profile->addStage(QStringLiteral("loading models"), after.milliseconds - before.milliseconds);
    recognized.modelsLoaded = after.count - before.count;
    recognized.profile = profile;
    return recognized;
}

RecognizedPage recognizeRemembering(const QImage &image, RecognitionMemory *memory)
{
    keepOpenMPOnThisThread();
    RecognizedPage page;
    try {
        const std::shared_ptr<ReadingCache> readings =
            memory ? memory->readings([] { return std::make_shared<ReadingCache>(); }) : nullptr;
        page = recognizePage(image, memory ? memory->language() : QString(), readings.get());
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
