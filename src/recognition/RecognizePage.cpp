// SPDX-License-Identifier: GPL-3.0-or-later

#include "RecognizePage.h"

#include "InkMask.h"
#include "LatinWords.h"
#include "LineFilter.h"
#include "LineFinder.h"
#include "LineImage.h"
#include "LineReader.h"
#include "LineText.h"
#include "RecognitionThreads.h"
#include "RecognizeText.h"
#include "Scripts.h"
#include "TextBand.h"
#include "TextLanguage.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <map>
#include <mutex>
#include <numeric>
#include <utility>

namespace {

// A reading this sure is taken without trying English too.
constexpr int sureConfidence = 85;
// A script's first model scores at least this per sample line, counting
// only letters of its script, on a page its further probes may tell better.
constexpr int minProbeScore = 20;
// The widest lines decide the page's script and language.
constexpr int sampleCount = 3;
// Two languages' models whose confidence over the samples lies closer than
// this (points per sample line) read more lines.
constexpr int closeCall = 4;
// Letters read differently that one of two models reads surer than the
// other, more than the other does, that tell without reading more lines.
constexpr int clearLetterLead = 3;
// Sample lines are cut to this width: enough letters to tell scripts and
// languages apart, without reading whole paragraphs with every model.
constexpr int sampleWidth = 640;
// What a language's own model must lead its script's first model by, in
// points of mean confidence per sample line.
constexpr int languageLead = 3;
// A language's model that reads this many of the letters only its language
// writes needs no lead, only to read about as surely as the script's first
// model, less a point for each such letter: Yiddish read with the Yiddish
// model scores a few points below the Hebrew one, which has no װ ײ פֿ.
constexpr int clearOwnLetters = 3;
// Every script's first model reads the widest sample; only those that come
// this close to the best of them (in points of confidence) read the others.
// On one sample the right script is the best or close behind it, and most
// models are far behind, so most pages need a third of the readings.
constexpr int contenderGap = 30;
// When the script's first model reads every word of the samples at least this
// surely, the samples hold no letters that only another language's model
// knows: those it reads unsurely or not at all.
constexpr float sureWord = 90;
// English reads no word of another script this surely: the surest such words
// on the benchmark's pages of every script stay below 50.
constexpr float surelyLatin = 85;
// The last page's models read a page of their script at least this surely,
// per sample line, mostly in its letters; the models of other scripts read a
// sample of the benchmark's pages of another script at most 73.
constexpr int surelyLastScript = 80;

QImage grayOf(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat.convertToFormat(QImage::Format_Grayscale8);
}

// Whether two sample cuts show the same text: lists and chats repeat a
// string, and a line that begins as another does says nothing new of the
// page's language.
bool sameSample(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    // Levels may differ by this much per byte on average: the same text drawn
    // at another fraction of a pixel.
    constexpr int tolerance = 4;
    const int rowBytes = a.width() * a.depth() / 8;
    qint64 difference = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *p = a.constScanLine(y), *q = b.constScanLine(y);
        for (int x = 0; x < rowBytes; ++x)
            difference += std::abs(p[x] - q[x]);
    }
    return difference <= qint64(tolerance) * rowBytes * a.height();
}

// The cuts of the widest lines, each text once: `sampleCount` of them after
// the first `skip`.
QList<QImage> sampleLines(const QList<QImage> &images, int skip = 0)
{
    QList<int> order(images.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return images[a].width() > images[b].width(); });
    QList<QImage> samples;
    for (int i : order) {
        if (samples.size() == skip + sampleCount)
            break;
        if (images[i].isNull())
            continue;
        const QImage sample =
            images[i].width() > sampleWidth ? images[i].copy(0, 0, sampleWidth, images[i].height()) : images[i];
        if (std::none_of(samples.begin(), samples.end(), [&](const QImage &s) { return sameSample(s, sample); }))
            samples.append(sample);
    }
    return samples.mid(std::min<qsizetype>(skip, samples.size()));
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
    int ownLetters = 0; // letters read that only its language writes
    float leastSureWord = 100;
    // Confidence summed over the samples not read mostly as Latin by a model
    // of another script.
    int ownConfidence = 0;
    QString text; // what it read, the samples joined by spaces
    QList<QList<WordReading>> letters; // of each sample, for the models that give them
};

using SampleScores = std::map<QString, SampleScore>;

void addScore(SampleScore &score, const SampleScore &more)
{
    score.confidence += more.confidence;
    score.ownLetters += more.ownLetters;
    score.leastSureWord = std::min(score.leastSureWord, more.leastSureWord);
    score.ownConfidence += more.ownConfidence;
    score.text += more.text;
    score.letters += more.letters;
}

// Adds each model's readings of the samples to its score. Each thread reads
// every sample with one model, so that sampling needs one engine of each model
// however many threads there are.
void addConfidences(const QList<QImage> &samples, const QStringList &models, SampleScores &scores)
{
    QList<SampleScore> total(models.size());
    parallelFor(models.size(), [&](int m) {
        const QString own = ownLetters(models[m]);
        for (const QImage &sample : samples) {
            const LineReading reading = readLine(sample, models[m], true);
            const double share = isLatinModel(models[m]) ? 1.0 : nonLatinShare(reading.text);
            total[m].confidence += int(std::max(0, reading.confidence) * share);
            if (share >= 0.5)
                total[m].ownConfidence += std::max(0, reading.confidence);
            total[m].ownLetters +=
                int(std::count_if(reading.text.begin(), reading.text.end(), [&](QChar c) { return own.contains(c); }));
            for (const WordReading &word : reading.words)
                total[m].leastSureWord = std::min(total[m].leastSureWord, word.confidence);
            total[m].text += reading.text.simplified() + u' ';
            total[m].letters.append(reading.letters);
        }
    });
    for (qsizetype m = 0; m < models.size(); ++m)
        addScore(scores[models[m]], total[m]);
}

// Where two models read a Han letter of the samples as different letters,
// the one whose letters the page is drawn in reads it the surer: simplified
// and traditional Chinese read each other's letters as their own forms, and
// over whole lines about as surely. How many more such letters `a` reads
// surer than `b`, or 0 when their samples are not the same lines.
int surerLetters(const SampleScore &a, const SampleScore &b)
{
    if (a.letters.size() != b.letters.size())
        return 0;
    const auto isHan = [](const QString &letter) {
        return !letter.isEmpty() && letter.front().script() == QChar::Script_Han;
    };
    int lead = 0;
    for (qsizetype s = 0; s < a.letters.size(); ++s) {
        for (const WordReading &letter : a.letters[s]) {
            // The other reading's letter over most of this one.
            const WordReading *other = nullptr;
            int widest = 0;
            for (const WordReading &candidate : b.letters[s]) {
                const int overlap = std::min(letter.box.right(), candidate.box.right()) -
                                    std::max(letter.box.left(), candidate.box.left()) + 1;
                if (overlap > widest) {
                    widest = overlap;
                    other = &candidate;
                }
            }
            if (!other || 2 * widest < std::max(letter.box.width(), other->box.width()) ||
                letter.text == other->text || !isHan(letter.text) || !isHan(other->text))
                continue;
            lead += letter.confidence > other->confidence ? 1 : letter.confidence < other->confidence ? -1 : 0;
        }
    }
    return lead;
}

// Kana are written only in Japanese, and the Japanese model reads next to none
// in Chinese text: a page whose letters it reads as kana by the quarter is
// Japanese, and needs no Chinese model to tell.
bool readsJapanese(const QString &text)
{
    constexpr double kanaShare = 0.25;
    int letters = 0, kana = 0;
    for (const QChar c : text) {
        if (!c.isLetter())
            continue;
        ++letters;
        kana += c.script() == QChar::Script_Hiragana || c.script() == QChar::Script_Katakana;
    }
    return kana >= clearOwnLetters && kana >= kanaShare * letters;
}

int scriptScore(const Script &script, const SampleScores &scores)
{
    int surest = 0;
    for (qsizetype m = 0; m < script.probes; ++m) {
        const auto score = scores.find(script.models[m]);
        if (score != scores.end())
            surest = std::max(surest, score->second.confidence);
    }
    return surest;
}

const Script *scriptOf(const QString &language)
{
    const auto &all = scripts();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const Script &script) { return script.models.contains(language); });
    return found == all.end() ? nullptr : &*found;
}

// The models that tell a page of the last page's script and language from
// others: the script's first model and the language's own. With several
// probes, a language other than the first model's is told by all the
// script's models (see pageLanguage).
QStringList modelsTellingScript(const Script &script, const QString &language)
{
    if (language == script.models.first())
        return {language};
    return script.probes > 1 ? script.models : QStringList{script.models.first(), language};
}

QString readingModel(const Script &script, const QString &language)
{
    return script.withLatin ? language + "+eng" : language;
}

// The language of the page read last. Screenshots pasted one after another
// are mostly of one language.
std::mutex lastLanguageMutex;
QString lastLanguage;

// The page's script, read with each script's first models, which leave their
// readings in `scores`. Every script's first model reads the widest sample,
// and those close to the best of them read the rest.
const Script &pageScript(const QList<QImage> &samples, SampleScores &scores)
{
    const QList<Script> &all = scripts();
    const int count = int(samples.size());
    // English reads the widest sample first, and the others when it reads
    // every word of it surely: a page it reads all of surely is Latin, and
    // needs no other script's model.
    const QString &english = all.first().models.first();
    addConfidences(samples.mid(0, 1), {english}, scores);
    // Its reading of the others stays apart while the scripts are set
    // against each other on the widest sample alone.
    SampleScores englishRest;
    if (scores.at(english).leastSureWord >= surelyLatin) {
        addConfidences(samples.mid(1), {english}, englishRest);
        if (englishRest.at(english).leastSureWord >= surelyLatin) {
            addScore(scores.at(english), englishRest.at(english));
            return all.first();
        }
    }
    // A page that the last page's script's probes or language read surely is
    // of that script, and no other script's model need read it; a page of
    // another script falls through to them all. Latin is told by English.
    const QString last = lastPageLanguage();
    const Script *lastScript = scriptOf(last);
    if (lastScript && lastScript != &all.first()) {
        const Script &script = *lastScript;
        const QStringList lastModels = modelsTellingScript(script, last);
        addConfidences(samples, lastModels, scores);
        for (const QString &model : lastModels) {
            if (scores.at(model).ownConfidence >= count * (surelyLastScript + script.lead))
                return script;
        }
        for (const QString &model : lastModels)
            scores.erase(model);
    }
    QStringList probes = scriptProbes();
    probes.removeOne(english);
    addConfidences(samples.mid(0, 1), probes, scores);
    const auto onFirstSample = [&](const Script &script) {
        return scores[script.models.first()].confidence - script.lead;
    };
    int leader = std::numeric_limits<int>::min();
    for (const Script &script : all)
        leader = std::max(leader, onFirstSample(script));
    QList<bool> contender(all.size());
    QStringList rest;
    for (qsizetype s = 0; s < all.size(); ++s) {
        contender[s] = onFirstSample(all[s]) >= leader - contenderGap;
        if (contender[s])
            rest.append(all[s].models.first());
    }
    if (!englishRest.empty() && rest.removeOne(english))
        addScore(scores.at(english), englishRest.at(english));
    addConfidences(samples.mid(1), rest, scores);
    // A script's further probes read only pages its first one reads as it.
    // Its other models read them alongside: a script with several probes has
    // no profiles to tell its languages by, so each of its models reads the
    // samples once it is chosen, and reading them now keeps both threads busy.
    QStringList further;
    for (qsizetype s = 0; s < all.size(); ++s) {
        const Script &script = all[s];
        const SampleScore &first = scores.at(script.models.first());
        if (contender[s] && script.probes > 1 && first.confidence >= count * minProbeScore &&
            !readsJapanese(first.text))
            further.append(script.models.mid(1));
    }
    addConfidences(samples, further, scores);
    qsizetype best = contender.indexOf(true);
    for (qsizetype s = best + 1; s < all.size(); ++s) {
        const int margin = count * (all[s].lead - all[best].lead);
        if (contender[s] && scriptScore(all[s], scores) > scriptScore(all[best], scores) + margin)
            best = s;
    }
    return all[best];
}

// The language among the page's script's models. It is told by the words
// read where the script's languages have profiles of their letter sequences.
// Otherwise a language's own model must read some of the letters only its
// language writes and read the samples clearly surer than the script's first
// model, or read several of those letters: on a few lines without them, the
// models of one script all read alike. Two that read about as surely read
// more lines.
QString pageLanguage(const Script &script, const QList<QImage> &images, const QList<QImage> &samples,
                     SampleScores &scores)
{
    const int count = int(samples.size());
    QString language = script.models.first();
    if (readsJapanese(scores.at(language).text))
        return language;
    // The words the script's first model read tell the language where there
    // are enough of them. Languages about as likely as each other (Spanish
    // and Portuguese, or French without its accents and English) are told
    // apart by the letters only their language writes, then by how surely
    // their models read.
    const QStringList likely = likelyLanguages(scores.at(language).text, script.models);
    if (!likely.isEmpty()) {
        language = likely.first();
        if (likely.size() > 1) {
            QStringList unread;
            for (const QString &model : likely) {
                if (!scores.contains(model))
                    unread.append(model);
            }
            addConfidences(samples, unread, scores);
            // Letters no other likely language writes tell most (Turkish ı ş ğ
            // where German and French share its ö ü ç).
            const auto evidence = [&](const QString &model) {
                QString onlyItsOwn = ownLetters(model);
                for (const QString &other : likely) {
                    if (other == model)
                        continue;
                    for (const QChar c : ownLetters(other))
                        onlyItsOwn.remove(c);
                }
                const SampleScore &score = scores.at(model);
                const auto read = std::count_if(score.text.begin(), score.text.end(),
                                                [&](QChar c) { return onlyItsOwn.contains(c); });
                return std::tuple(read >= clearOwnLetters, score.ownLetters > 0, score.confidence);
            };
            for (const QString &model : likely) {
                if (evidence(model) > evidence(language))
                    language = model;
            }
        }
        return language;
    }
    const bool firstSure = scores.at(language).leastSureWord >= sureWord;
    QStringList unread;
    for (const QString &model : script.models.mid(1)) {
        if (!scores.contains(model) && !(firstSure && !ownLetters(model).isEmpty()))
            unread.append(model);
    }
    addConfidences(samples, unread, scores);
    const int first = scores.at(language).confidence;
    QStringList candidates;
    for (const QString &model : script.models.mid(1)) {
        const auto read = scores.find(model);
        if (read == scores.end())
            continue;
        const SampleScore &score = read->second;
        const bool hasOwn = !ownLetters(model).isEmpty();
        const bool leads = (!hasOwn || score.ownLetters > 0) && score.confidence > first + count * languageLead;
        const bool showsOwn =
            hasOwn && score.ownLetters >= clearOwnLetters && score.confidence >= first - score.ownLetters;
        if (leads || showsOwn)
            candidates.append(model);
    }
    const auto surer = [&](const QString &a, const QString &b) {
        return scores.at(a).confidence > scores.at(b).confidence;
    };
    std::stable_sort(candidates.begin(), candidates.end(), surer);
    if (candidates.isEmpty())
        return language;
    // Models without letters of their own (simplified and traditional
    // Chinese) are told apart by the letters they read differently, and by
    // more lines when those tell little or the models read about as surely.
    if (candidates.size() > 1 && ownLetters(candidates[0]).isEmpty() && ownLetters(candidates[1]).isEmpty()) {
        const QStringList two = candidates.mid(0, 2);
        int letters = surerLetters(scores.at(two[0]), scores.at(two[1]));
        if (std::abs(letters) < clearLetterLead ||
            scores.at(two[0]).confidence - scores.at(two[1]).confidence < count * closeCall) {
            addConfidences(sampleLines(images, sampleCount), two, scores);
            letters = surerLetters(scores.at(two[0]), scores.at(two[1]));
        }
        if (letters != 0)
            return letters > 0 ? two[0] : two[1];
        return surer(two[1], two[0]) ? two[1] : two[0];
    }
    return candidates.first();
}

// A line the page's model reads mostly in its own script is not English:
// English reads a short line of Han, kana or Hangul as capitals ("REA" for
// 蘇蘇語) about as surely as the page's model reads them right, and a second
// reading costs as much as the first.
LineReading readInBestScript(const QImage &line, const QString &lead, const QStringList &others)
{
    LineReading best = readLine(line, lead);
    if (best.confidence >= sureConfidence || nonLatinShare(best.text) >= 0.5)
        return best;
    for (const QString &model : others) {
        LineReading other = readLine(line, model);
        if (other.confidence > best.confidence)
            best = std::move(other);
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

QString lastPageLanguage()
{
    const std::lock_guard lock(lastLanguageMutex);
    return lastLanguage;
}

void rememberLanguage(const QString &language)
{
    if (!scriptOf(language))
        return;
    const std::lock_guard lock(lastLanguageMutex);
    lastLanguage = language;
}

QStringList modelsForPagesIn(const QString &language)
{
    const Script *script = scriptOf(language);
    if (!script)
        return {};
    const QString reading = readingModel(*script, language);
    QStringList models = script == &scripts().first() ? QStringList{} : modelsTellingScript(*script, language);
    models.removeOne(reading);
    models.append(reading);
    return models;
}

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
    const QList<QImage> samples = sampleLines(images);
    SampleScores scores;
    const Script &script = pageScript(samples, scores);
    const QString language = pageLanguage(script, images, samples, scores);
    rememberLanguage(language);
    const QString lead = readingModel(script, language);
    // Lines in English around East Asian text (a foreign app's content in an
    // English interface) are read with English too when the page's model is
    // unsure; the other scripts' lines are read with English already.
    const QStringList others =
        script.withLatin || isLatinModel(language) ? QStringList{} : QStringList{QStringLiteral("eng")};
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
            LineReading reading = readInBestScript(images[i], lead, others);
            if (script.name == QLatin1String("Hebrew") && reading.model == lead) {
                mendNumberLine(images[i], reading);
                mendLatinWords(images[i], reading, language);
            }
            if (script.name == QLatin1String("Hangul") && reading.model == lead)
                mendLatinRuns(images[i], reading);
            if (script.name == QLatin1String("Greek") && reading.model == lead) {
                mendLookalikeWords(images[i], reading);
                writeMonotonic(reading);
            }
            readings[i] = std::move(reading);
            sizing.add(i);
        });
    }
    TextItems items;
    for (const TextItem &item : sized) {
        if (!item.text.isEmpty())
            items.append({item.text, normalisedBox(item.box, image.size())});
    }
    return items;
}
