// SPDX-License-Identifier: GPL-3.0-or-later

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
#include <limits>
#include <numeric>

namespace {

// A reading this sure is taken without trying English too.
constexpr int sureConfidence = 85;
// The widest lines decide the page's script and language.
constexpr int sampleCount = 3;
// Sample lines are cut to this width: enough letters to tell scripts and
// languages apart, without reading whole paragraphs with every model.
constexpr int sampleWidth = 640;
// What a language's own model must lead its script's first model by, in
// points of mean confidence per sample line.
constexpr int languageLead = 3;
// Every script's first model reads the widest sample; only those that come
// this close to the best of them (in points of confidence) read the others.
// On one sample the right script is the best or close behind it, and most
// models are far behind, so most pages need a third of the readings.
constexpr int contenderGap = 30;
// When the script's first model reads every word of the samples at least this
// surely, the samples hold no letters that only another language's model
// knows: those it reads unsurely or not at all.
constexpr float sureWord = 90;

QImage grayOf(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

QList<QImage> sampleLines(const QList<QImage> &images)
{
    QList<int> order(images.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return images[a].width() > images[b].width(); });
    QList<QImage> samples;
    for (int i : order) {
        if (samples.size() == sampleCount)
            break;
        if (!images[i].isNull())
            samples.append(images[i].width() > sampleWidth ? images[i].copy(0, 0, sampleWidth, images[i].height())
                                                           : images[i]);
    }
    return samples;
}

// The share of a reading's letters outside the Latin alphabet. East Asian
// models also know Latin letters and read Latin text about as surely as the
// English model; that they read it as Latin is what tells.
double nonLatinShare(const QString &text)
{
    int letters = 0, latin = 0;
    for (const QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        latin += c.script() == QChar::Script_Latin;
    }
    return letters ? 1.0 - double(latin) / letters : 0.0;
}

bool isLatinModel(const QString &model)
{
    return scripts().first().models.contains(model);
}

// A model's confidence over the samples, counting only what it read outside
// the Latin alphabet for the models of other scripts.
struct SampleScore {
    int confidence = 0;
    bool ownLetters = false; // read letters only its language writes
    float leastSureWord = 100;
};

// Adds each chosen model's readings of the samples to its score. Each thread
// reads every sample with one model, so that sampling needs one engine of each
// model however many threads there are.
void addConfidences(const QList<QImage> &samples, const QStringList &models, const QList<bool> &chosen,
                    QList<SampleScore> &total)
{
    QList<int> reading;
    for (int m = 0; m < models.size(); ++m)
        if (chosen[m])
            reading.append(m);
    parallelFor(reading.size(), [&](int i) {
        const int m = reading[i];
        const QString own = ownLetters(models[m]);
        for (const QImage &sample : samples) {
            const LineReading line = readLine(sample, models[m]);
            const double share = isLatinModel(models[m]) ? 1.0 : nonLatinShare(line.text);
            total[m].confidence += int(std::max(0, line.confidence) * share);
            total[m].ownLetters = total[m].ownLetters ||
                                  std::any_of(line.text.begin(), line.text.end(), [&](QChar c) { return own.contains(c); });
            for (const WordReading &word : line.words)
                total[m].leastSureWord = std::min(total[m].leastSureWord, word.confidence);
        }
    });
}

// A script's score over `samples` sample lines, its lead counted.
int scriptScore(const QList<SampleScore> &byScript, qsizetype s, qsizetype samples)
{
    return byScript[s].confidence - int(samples) * scripts()[s].lead;
}

// The page's script first, then the language among that script's models.
// Every script's first model reads the widest sample, and those close to the
// best of them read the rest. A language's own model must read the samples
// clearly surer than the script's first model, and read some of the letters
// only its language writes: on a few lines without them, the models of one
// script all read alike.
Script pageScript(const QList<QImage> &samples, QString &language)
{
    const QList<Script> &all = scripts();
    const QStringList probes = scriptProbes();
    QList<SampleScore> byScript(all.size());
    QList<bool> contenders(all.size(), true);
    addConfidences(samples.mid(0, 1), probes, contenders, byScript);
    int leader = std::numeric_limits<int>::min();
    for (qsizetype s = 0; s < all.size(); ++s)
        leader = std::max(leader, scriptScore(byScript, s, 1));
    for (qsizetype s = 0; s < all.size(); ++s)
        contenders[s] = scriptScore(byScript, s, 1) >= leader - contenderGap;
    addConfidences(samples.mid(1), probes, contenders, byScript);
    qsizetype best = contenders.indexOf(true);
    for (qsizetype s = best + 1; s < all.size(); ++s)
        if (contenders[s] && scriptScore(byScript, s, samples.size()) > scriptScore(byScript, best, samples.size()))
            best = s;

    const Script &script = all[best];
    language = script.models.first();
    const QStringList languages = script.models.mid(1);
    QList<bool> unsure(languages.size());
    for (qsizetype m = 0; m < languages.size(); ++m)
        unsure[m] = ownLetters(languages[m]).isEmpty() || byScript[best].leastSureWord < sureWord;
    QList<SampleScore> byLanguage(languages.size());
    addConfidences(samples, languages, unsure, byLanguage);
    int surest = byScript[best].confidence + int(samples.size()) * languageLead;
    for (qsizetype m = 0; m < languages.size(); ++m) {
        const bool ownLettersRead = byLanguage[m].ownLetters || ownLetters(languages[m]).isEmpty();
        if (unsure[m] && ownLettersRead && byLanguage[m].confidence > surest) {
            surest = byLanguage[m].confidence;
            language = languages[m];
        }
    }
    return script;
}

// A line the page's model reads mostly in its own script is not English: the
// English model would only garble it, and a second reading costs as much as
// the first.
LineReading readInBestScript(const QImage &line, const QString &lead, const QStringList &others)
{
    LineReading best = readLine(line, lead);
    if (best.confidence >= sureConfidence || nonLatinShare(best.text) > 0.5)
        return best;
    for (const QString &model : others) {
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
    QString language;
    const Script script = pageScript(sampleLines(images), language);
    const QString lead = script.withLatin ? language + "+eng" : language;
    // Lines in English around East Asian text (a foreign app's content in an
    // English interface) are read with English too when the page's model is
    // unsure; the other scripts' lines are read with English already.
    const QStringList others =
        script.withLatin || isLatinModel(language) ? QStringList{} : QStringList{QStringLiteral("eng")};
    QList<LineReading> readings(lines.size());
    parallelFor(lines.size(), [&](int i) {
        if (!images[i].isNull())
            readings[i] = readInBestScript(images[i], lead, others);
    });

    TextItems items;
    for (int i = 0; i < lines.size(); ++i) {
        const LineReading &reading = readings[i];
        const KeptLine kept = keptLine(reading, reading.model == lead);
        if (kept.text.isEmpty())
            continue;
        const auto wordsBox = [&](qsizetype first, qsizetype count) {
            QRect words;
            for (qsizetype w = first; w < first + count; ++w)
                words |= reading.words[w].box;
            return pageBox(gray, lines[i], images[i], words).intersected(lines[i]);
        };
        // Dropped junk words take their part of the box with them; the marks
        // beside the text stay under its plate.
        const bool whole = kept.count == reading.words.size();
        const QRect box = whole ? lines[i] : wordsBox(kept.first, kept.count);
        QRectF band = textBand(gray, mask, box, kept.text);
        if (!whole && kept.inkCount > kept.count)
            band |= QRectF(wordsBox(kept.inkFirst, kept.inkCount));
        items.append({kept.text, normalisedBox(band, image.size())});
    }
    return items;
}
