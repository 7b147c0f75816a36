// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageLanguage.h"

#include "RecognitionThreads.h"
#include "TextLanguage.h"

#include <QImage>

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>
#include <utility>

namespace {

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
// A sample read less surely than this by every likely script may be of
// another, in points of confidence.
constexpr int poorSample = 60;
// A sample read at least this surely, in points of confidence, is fairly
// read.
constexpr int fairSample = 45;
// Scripts that contend for a page are likely to be met in its lines: the
// surest this many, and those that read some sample at least `poorSample`.
constexpr int surestContenders = 2;
// The last page's models read a page of their script at least this surely,
// per sample line, mostly in its letters; the models of other scripts read a
// sample of the benchmark's pages of another script at most 73.
constexpr int surelyLastScript = 80;
// A script written without spaces whose samples hold few of its words, over
// this many letters, was read off another script's ink.
constexpr int lettersInWordsToTell = 12;
// A Latin page's widest line holds this many words at least, for English to
// tell that many of them are Latin. Then at most this many of the script's
// language models read the samples to tell whether nearly all are; the one
// that does reads each at least this surely, in points of mean confidence.
constexpr int minWordsToTell = 3;
constexpr int maxLatinProbes = 2;
constexpr int fairLatinSample = 70;

QString ownLetters(const QString &model)
{
    const Language *language = languageOf(model);
    return language ? language->ownLetters : QString();
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

// The line image cut to about `sampleWidth`, at a column without ink: a
// letter cut in two reads as junk, and would make the sample look unsure.
QImage cutBetweenLetters(const QImage &line)
{
    const auto blank = [&](int x) {
        for (int y = 0; y < line.height(); ++y) {
            if (line.constScanLine(y)[x] < 192)
                return false;
        }
        return true;
    };
    int cut = sampleWidth;
    while (cut > sampleWidth / 2 && !blank(cut))
        --cut;
    return line.copy(0, 0, cut > sampleWidth / 2 ? cut : sampleWidth, line.height());
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
        const QImage sample = images[i].width() > sampleWidth ? cutBetweenLetters(images[i]) : images[i];
        if (std::none_of(samples.begin(), samples.end(), [&](const QImage &s) { return sameSample(s, sample); }))
            samples.append(sample);
    }
    return samples.mid(std::min<qsizetype>(skip, samples.size()));
}

// A model's confidence over the samples, counting only what it read outside
// the Latin alphabet for the models of other scripts.
struct SampleScore {
    int confidence = 0;
    int ownLetters = 0; // letters read that only its language writes
    float leastSureWord = 100;
    int words = 0, sureWords = 0; // holding letters, and of them those read `surelyLatin` sure
    // Confidence summed over the samples not read mostly as Latin by a model
    // of another script.
    int ownConfidence = 0;
    QString text;                        // what it read, the samples joined by spaces
    QList<QList<LetterReading>> letters; // of each sample
    QList<int> bySample;                 // the confidence, sample by sample
    QList<bool> lettered;                // whether it read letters, sample by sample
    WordCover cover;                     // over the samples, for a script written without spaces
};

using SampleScores = std::map<QString, SampleScore>;

void addScore(SampleScore &score, const SampleScore &more)
{
    score.confidence += more.confidence;
    score.ownLetters += more.ownLetters;
    score.leastSureWord = std::min(score.leastSureWord, more.leastSureWord);
    score.words += more.words;
    score.sureWords += more.sureWords;
    score.ownConfidence += more.ownConfidence;
    score.text += more.text;
    score.letters += more.letters;
    score.bySample += more.bySample;
    score.lettered += more.lettered;
    score.cover += more.cover;
}

// Adds each model's readings of the samples to its score. Each thread reads
// every sample with one model, so that sampling needs one engine of each model
// however many threads there are.
void addConfidences(const QList<QImage> &samples, const QStringList &models, SampleScores &scores,
                    const ReadLineFn &read)
{
    QList<SampleScore> total(models.size());
    parallelFor(models.size(), [&](int m) {
        const Language *language = languageOf(models[m]);
        const QString own = language ? language->ownLetters : QString();
        for (const QImage &sample : samples) {
            const LineReading reading = read(sample, models[m]);
            const QString text = reading.text();
            // A sample of digits alone (a clock, a date) is read as surely in
            // every script: it tells none of them.
            const auto lettersRead = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
            const double ownShare = lettersRead == 0 ? 0.0 : isLatinModel(models[m]) ? 1.0 : nonLatinShare(text);
            double share = ownShare;
            // A model that reads other scripts' ink as its own fairly surely
            // (Thai) reads the lights around a video's subtitles as digits
            // among a few of its words: its confidence counts for the share
            // of letters among what it read.
            if (const Script *script = scriptOf(models[m]); lettersRead > 0 && script && script->lead > 0) {
                const auto digits = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
                share *= double(lettersRead) / double(lettersRead + digits);
            }
            total[m].confidence += int(std::max(0, reading.confidence) * share);
            total[m].bySample.append(int(std::max(0, reading.confidence) * share));
            total[m].lettered.append(lettersRead > 0);
            if (ownShare >= 0.5)
                total[m].ownConfidence += std::max(0, reading.confidence);
            total[m].ownLetters +=
                int(std::count_if(text.begin(), text.end(), [&](QChar c) { return own.contains(c); }));
            QList<LetterReading> letters;
            for (const WordReading &word : reading.words) {
                total[m].leastSureWord = std::min(total[m].leastSureWord, word.confidence);
                if (std::any_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); })) {
                    ++total[m].words;
                    total[m].sureWords += word.confidence >= surelyLatin;
                }
                letters += word.letters;
            }
            total[m].cover += reading.cover;
            total[m].text += text + u' ';
            total[m].letters.append(letters);
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
        for (const LetterReading &letter : a.letters[s]) {
            // The other reading's letter over most of this one.
            const LetterReading *other = nullptr;
            int widest = 0;
            for (const LetterReading &candidate : b.letters[s]) {
                const int overlap = std::min(letter.box.right(), candidate.box.right()) -
                                    std::max(letter.box.left(), candidate.box.left()) + 1;
                if (overlap > widest) {
                    widest = overlap;
                    other = &candidate;
                }
            }
            if (!other || 2 * widest < std::max(letter.box.width(), other->box.width()) || letter.text == other->text ||
                !isHan(letter.text) || !isHan(other->text))
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
        const auto score = scores.find(script.models()[m]);
        if (score != scores.end())
            surest = std::max(surest, score->second.confidence);
    }
    return surest;
}

// The models that tell a page of the last page's script and language from
// others: the script's first model and the language's own. With several
// probes, a language other than the first model's is told by all the
// script's models (see pageLanguage).
QStringList modelsTellingScript(const Script &script, const QString &language)
{
    if (language == script.models().first())
        return {language};
    return script.probes > 1 ? script.models() : QStringList{script.models().first(), language};
}

// The page's script, read with each script's first models, which leave their
// readings in `scores`; and its language, where that is told too. Every
// script's first model reads the widest sample, and those close to the best
// of them read the rest.
const Script &pageScript(const QList<QImage> &samples, const QString &last, SampleScores &scores,
                         const ReadLineFn &read, QStringList &why, QList<const Script *> &contenders, QString &language)
{
    const QList<Script> &all = scripts();
    const int count = int(samples.size());
    // English reads the widest sample first, and the others when it reads
    // every word of it surely: a page it reads all of surely is Latin, and
    // needs no other script's model. It takes a few words to tell: English
    // reads a word or two of Greek as Latin capitals as surely ("EXEL TOAETA"),
    // and samples it reads no word of tell nothing.
    const QString english = all.first().models().first();
    addConfidences(samples.mid(0, 1), {english}, scores, read);
    // Its reading of the others stays apart while the scripts are set
    // against each other on the widest sample alone.
    SampleScores englishRest;
    if (scores.at(english).leastSureWord >= surelyLatin) {
        addConfidences(samples.mid(1), {english}, englishRest, read);
        const SampleScore &rest = englishRest.at(english);
        if (rest.leastSureWord >= surelyLatin && scores.at(english).words + rest.words >= minWordsToTell) {
            addScore(scores.at(english), englishRest.at(english));
            why.append(QStringLiteral("eng read every word of the samples surely"));
            return all.first();
        }
    }
    // A page in another language of Latin letters has words English reads
    // unsurely (those with its accented letters) among those it reads surely.
    // The last page's language, or the one its words look like, reads nearly
    // every word surely, and no other script need read it.
    if (const SampleScore &widest = scores.at(english);
        widest.words >= minWordsToTell && 2 * widest.sureWords >= widest.words) {
        if (englishRest.empty())
            addConfidences(samples.mid(1), {english}, englishRest, read);
        QStringList probes;
        if (last != english && all.first().models().contains(last))
            probes.append(last);
        const QStringList likely = likelyLanguages(widest.text + englishRest.at(english).text, all.first().models());
        for (const QString &model : likely) {
            if (model != english && !probes.contains(model))
                probes.append(model);
        }
        for (const QString &probe : probes.mid(0, maxLatinProbes)) {
            addConfidences(samples, {probe}, scores, read);
            const SampleScore &score = scores.at(probe);
            if (5 * score.sureWords >= 4 * score.words &&
                std::all_of(score.bySample.begin(), score.bySample.end(),
                            [](int confidence) { return confidence >= fairLatinSample; })) {
                addScore(scores.at(english), englishRest.at(english));
                why.append(QStringLiteral("%1 read nearly every word of the samples surely").arg(probe));
                // Neighbouring languages read each other's words nearly as
                // surely (French reads Spanish): the words tell the language
                // where they are enough, and the last page's where not.
                if (probe == last && likely.isEmpty())
                    language = probe;
                return all.first();
            }
        }
    }
    // A page that the last page's script's probes or language read surely is
    // of that script, and no other script's model need read it; a page of
    // another script falls through to them all. Latin is told by English.
    const Script *lastScript = scriptOf(last);
    if (lastScript && lastScript != &all.first()) {
        const Script &script = *lastScript;
        const QStringList lastModels = modelsTellingScript(script, last);
        addConfidences(samples, lastModels, scores, read);
        for (const QString &model : lastModels) {
            if (scores.at(model).ownConfidence >= count * (surelyLastScript + script.lead)) {
                why.append(QStringLiteral("%1, the last page's, read the samples surely (%2)")
                               .arg(model)
                               .arg(scores.at(model).ownConfidence));
                return script;
            }
        }
        for (const QString &model : lastModels)
            scores.erase(model);
    }
    QStringList probes = scriptProbes();
    probes.removeOne(english);
    addConfidences(samples.mid(0, 1), probes, scores, read);
    const auto onFirstSample = [&](const Script &script) {
        return scores[script.models().first()].confidence - script.lead;
    };
    int leader = std::numeric_limits<int>::min();
    for (const Script &script : all)
        leader = std::max(leader, onFirstSample(script));
    QList<bool> contender(all.size());
    QStringList rest;
    for (qsizetype s = 0; s < all.size(); ++s) {
        contender[s] = onFirstSample(all[s]) >= leader - contenderGap;
        if (contender[s])
            rest.append(all[s].models().first());
    }
    if (!englishRest.empty() && rest.removeOne(english))
        addScore(scores.at(english), englishRest.at(english));
    addConfidences(samples.mid(1), rest, scores, read);
    // The widest line of a mixed page may be of another script than the
    // rest (an English title over Hebrew text): when the contenders all read
    // a later sample poorly, every script's first model reads the samples,
    // and those that come close to the best on one of them contend too. A
    // sample they read no letter in (a clock, a button's icon) tells no
    // script, and is read poorly in every one.
    const auto onSample = [&](const Script &script, qsizetype k) {
        return scores.at(script.models().first()).bySample.value(k) - script.lead;
    };
    const auto letteredFor = [&](const Script &script, qsizetype k) {
        return scores.at(script.models().first()).lettered.value(k);
    };
    bool poorlyRead = false;
    for (qsizetype k = 1; k < count && !poorlyRead; ++k) {
        bool lettered = false;
        poorlyRead = true;
        for (qsizetype s = 0; s < all.size(); ++s) {
            if (!contender[s])
                continue;
            lettered = lettered || letteredFor(all[s], k);
            poorlyRead = poorlyRead && onSample(all[s], k) < poorSample;
        }
        poorlyRead = poorlyRead && lettered;
    }
    if (poorlyRead) {
        QStringList unread;
        for (qsizetype s = 0; s < all.size(); ++s) {
            if (!contender[s])
                unread.append(all[s].models().first());
        }
        SampleScores later;
        addConfidences(samples.mid(1), unread, later, read);
        for (const QString &model : unread)
            addScore(scores.at(model), later.at(model));
        for (qsizetype k = 1; k < count; ++k) {
            int leaderOnSample = std::numeric_limits<int>::min();
            for (const Script &script : all)
                leaderOnSample = std::max(leaderOnSample, onSample(script, k));
            for (qsizetype s = 0; s < all.size(); ++s)
                contender[s] = contender[s] || onSample(all[s], k) >= leaderOnSample - contenderGap;
        }
        why.append(QStringLiteral("samples the likely scripts read poorly read in all"));
    }
    // A script's further probes read only pages its first one reads as it.
    // Its other models read them alongside: a script with several probes has
    // no profiles to tell its languages by, so each of its models reads the
    // samples once it is chosen, and reading them now keeps both threads busy.
    QStringList further;
    for (qsizetype s = 0; s < all.size(); ++s) {
        const Script &script = all[s];
        const SampleScore &first = scores.at(script.models().first());
        if (contender[s] && script.probes > 1 && first.confidence >= count * minProbeScore &&
            !readsJapanese(first.text))
            further.append(script.models().mid(1));
    }
    addConfidences(samples, further, scores, read);
    // Samples read as a script's letters without its usual marks are
    // another script's, when another reads them fairly; junk (a photograph
    // that broke a headline up) reads unsurely in all, and stays with the
    // surest.
    // Nor is a script written without spaces whose samples read as few of
    // its words the page's, unless no other script contends.
    QList<bool> wordless(all.size());
    bool wordsRead = false; // by some contender
    for (qsizetype s = 0; s < all.size(); ++s) {
        wordless[s] = all[s].unspaced && scores.at(all[s].models().first()).cover.fewWords(lettersInWordsToTell);
        wordsRead = wordsRead || (contender[s] && !wordless[s]);
    }
    const auto surest = [&](bool markless) {
        qsizetype best = -1;
        for (qsizetype s = 0; s < all.size(); ++s) {
            if (!contender[s] || (!markless && !all[s].carriesUsualMarks(scores.at(all[s].models().first()).text)))
                continue;
            if (wordless[s] && wordsRead)
                continue;
            if (best < 0 ||
                scriptScore(all[s], scores) > scriptScore(all[best], scores) + count * (all[s].lead - all[best].lead))
                best = s;
        }
        return best;
    };
    qsizetype best = surest(true);
    const qsizetype marked = surest(false);
    if (marked >= 0 && marked != best && scriptScore(all[marked], scores) >= count * fairSample)
        best = marked;
    QStringList standings;
    for (qsizetype s = 0; s < all.size(); ++s) {
        if (!contender[s])
            continue;
        standings.append(QStringLiteral("%1 %2").arg(all[s].name).arg(scriptScore(all[s], scores)));
        if (const WordCover &cover = scores.at(all[s].models().first()).cover; all[s].unspaced && cover.letters > 0)
            standings.last() += QStringLiteral(" (%1% in words)").arg(100 * cover.inWords / cover.letters);
        if (s != best)
            contenders.append(&all[s]);
    }
    std::stable_sort(contenders.begin(), contenders.end(), [&](const Script *a, const Script *b) {
        return scriptScore(*a, scores) - a->lead > scriptScore(*b, scores) - b->lead;
    });
    // Lines the page's model reads unsurely are read in the other scripts
    // that contend. On samples that are junk (the lights of a photograph)
    // every script comes close to the best: beyond the surest few, only
    // those that read some sample fairly surely are likely to be met. A
    // model that reads other scripts as its own fairly surely (Thai) keeps
    // them all, as its page's lines may be of any of them.
    const auto readsSomeSample = [&](const Script *script) {
        const QList<int> &bySample = scores.at(script->models().first()).bySample;
        return std::any_of(bySample.begin(), bySample.end(),
                           [&](int confidence) { return confidence - script->lead >= poorSample; });
    };
    if (all[best].lead == 0 && contenders.size() > surestContenders)
        contenders.erase(std::remove_if(contenders.begin() + surestContenders, contenders.end(),
                                        [&](const Script *script) { return !readsSomeSample(script); }),
                         contenders.end());
    why.append(QStringLiteral("script of the samples: %1").arg(standings.join(QStringLiteral(", "))));
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
                     SampleScores &scores, const ReadLineFn &read, QStringList &why)
{
    const int count = int(samples.size());
    QString language = script.models().first();
    if (readsJapanese(scores.at(language).text)) {
        why.append(QStringLiteral("kana: jpn"));
        return language;
    }
    // The words the script's first model read tell the language where there
    // are enough of them. Languages about as likely as each other (Spanish
    // and Portuguese, or French without its accents and English) are told
    // apart by the letters only their language writes, then by how surely
    // their models read.
    const QStringList likely = likelyLanguages(scores.at(language).text, script.models());
    if (!likely.isEmpty()) {
        language = likely.first();
        if (likely.size() > 1) {
            QStringList unread;
            for (const QString &model : likely) {
                if (!scores.contains(model))
                    unread.append(model);
            }
            addConfidences(samples, unread, scores, read);
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
                const auto letters = std::count_if(score.text.begin(), score.text.end(),
                                                   [&](QChar c) { return onlyItsOwn.contains(c); });
                return std::tuple(letters >= clearOwnLetters, score.ownLetters > 0, score.confidence);
            };
            for (const QString &model : likely) {
                if (evidence(model) > evidence(language))
                    language = model;
            }
        }
        why.append(QStringLiteral("letter sequences: %1 of %2").arg(language, likely.join(u'/')));
        return language;
    }
    const bool firstSure = scores.at(language).leastSureWord >= sureWord;
    QStringList unread;
    for (const QString &model : script.models().mid(1)) {
        if (!scores.contains(model) && !(firstSure && !ownLetters(model).isEmpty()))
            unread.append(model);
    }
    addConfidences(samples, unread, scores, read);
    const int first = scores.at(language).confidence;
    QStringList candidates;
    for (const QString &model : script.models().mid(1)) {
        const auto found = scores.find(model);
        if (found == scores.end())
            continue;
        const SampleScore &score = found->second;
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
    if (candidates.isEmpty()) {
        why.append(QStringLiteral("no other model of the script read the samples surer"));
        return language;
    }
    // Models without letters of their own (simplified and traditional
    // Chinese) are told apart by the letters they read differently, and by
    // more lines when those tell little or the models read about as surely.
    if (candidates.size() > 1 && ownLetters(candidates[0]).isEmpty() && ownLetters(candidates[1]).isEmpty()) {
        const QStringList two = candidates.mid(0, 2);
        int letters = surerLetters(scores.at(two[0]), scores.at(two[1]));
        if (std::abs(letters) < clearLetterLead ||
            scores.at(two[0]).confidence - scores.at(two[1]).confidence < count * closeCall) {
            addConfidences(sampleLines(images, sampleCount), two, scores, read);
            letters = surerLetters(scores.at(two[0]), scores.at(two[1]));
        }
        why.append(QStringLiteral("letters read differently: %1 %2 to %3").arg(two[0]).arg(letters).arg(two[1]));
        if (letters != 0)
            return letters > 0 ? two[0] : two[1];
        return surer(two[1], two[0]) ? two[1] : two[0];
    }
    why.append(QStringLiteral("%1 read the samples surer (%2 over %3)")
                   .arg(candidates.first())
                   .arg(scores.at(candidates.first()).confidence)
                   .arg(first));
    return candidates.first();
}

} // namespace

LanguageChoice choosePageLanguage(const QList<QImage> &lines, const QString &before, const ReadLineFn &read)
{
    const QList<QImage> samples = sampleLines(lines);
    if (samples.isEmpty())
        return {};
    SampleScores scores;
    LanguageChoice choice;
    choice.script = &pageScript(samples, before, scores, read, choice.why, choice.contenders, choice.language);
    if (choice.language.isEmpty())
        choice.language = pageLanguage(*choice.script, lines, samples, scores, read, choice.why);
    return choice;
}

QStringList modelsForPagesIn(const QString &language)
{
    const Script *script = scriptOf(language);
    if (!script)
        return {};
    const QString reading = script->readingModel(language);
    QStringList models = isLatinModel(language) ? QStringList{} : modelsTellingScript(*script, language);
    models.removeOne(reading);
    models.append(reading);
    return models;
}
