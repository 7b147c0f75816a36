// SPDX-License-Identifier: GPL-3.0-or-later

#include "LineScript.h"

#include "LatinInk.h"
#include "LatinWords.h"

#include <QImage>

#include <algorithm>
#include <limits>

namespace {

// A reading this sure, of letters of its script, is taken without reading
// the line in other scripts; one less sure is read in the likely ones, and
// one that is not in its script at all, or below `lostConfidence` with
// letters enough to tell, in all of them, until one reads it surely. Junk (a
// picture, an icon) reads unsurely in every script.
constexpr int sureConfidence = 85;
constexpr int lostConfidence = 50;
// A script's further models read a line only if its first read it at least
// this surely as the script's: a short line of it reads about 50, junk
// (borders, dots, photos) mostly nothing, and junk is what costs most there.
constexpr int furtherProbeScore = 30;
constexpr int lettersToTell = 4;
// A line of this many letters or more, of the page's script, that its model
// reads at least this surely is the script's: another script's line read as
// its letters reads less surely, or as few of them, or (as Latin) as words
// no dictionary holds.
constexpr int fairOwnConfidence = 75;
constexpr int lettersToTrust = 10;
// A reading in another script than the page's must be surer than the page
// model's by this many points to be taken, and at least this sure: a line
// every model reads unsurely is junk, or not legible, in all of them.
constexpr int otherScriptLead = 2;
constexpr int minOtherScore = 60;
constexpr int fairMetScore = 70;
// A long line the page's model reads as no word of its dictionary is another
// script's where that script's model reads it as words of its own, unless
// it reads it this much less surely: a line of Cyrillic read as Latin
// letters comes back as junk ("Hemae 3'ENHAaHHA"), about as surely.
constexpr int wordsOverJunk = 10;

const Script &latinScript()
{
    return scripts().first();
}

// How surely `reading` reads `line` in `script`: its confidence, less the
// share of its letters not of the script, less what the script's model must
// lead by unless the page is in it; none for Latin letters on ink that is not
// Latin (unless the page's model read them as look-alikes, which no ink
// tells from Latin ones), or for another script's letters without its usual
// marks. The Latin words that the page's lines hold (read with English
// beside the page's model, or again by word) count as its own; in another
// script they do not, as a model read with English reads any ink as Latin
// letters.
int scoreOf(const LineReading &reading, const Script &script, const QImage &line, bool pageScript,
            bool pagesLookalike = false, bool lookalikeInk = false)
{
    const int lead = pageScript ? 0 : script.lead;
    const QString text = reading.text();
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
        return reading.confidence - lead;
    if ((&script == &latinScript() && !lookalikeInk && !latinInk(line, text)) ||
        (!pageScript && !script.carriesUsualMarks(text)))
        return 0;
    return int(reading.confidence * script.share(text, pageScript, !pagesLookalike)) - lead;
}

// The letters of the reading's words of the dictionary, of three letters or
// more: shorter ones are so many that junk is made of them too.
qsizetype lettersInDictionaryWords(const LineReading &reading)
{
    constexpr qsizetype shortestWord = 3;
    qsizetype inWords = 0;
    for (const WordReading &word : reading.words) {
        const auto letters = std::count_if(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); });
        if (word.inDictionary && letters >= shortestWord)
            inWords += letters;
    }
    return inWords;
}

void readAgain(const QImage &line, LineReading &reading, const Script &script, const QString &language,
               const ReadLineFn &read)
{
    for (const SecondReading again : script.secondReadings)
        again(line, reading, language, read);
    if (script.finalFix) {
        for (WordReading &word : reading.words)
            word.text = script.finalFix(word.text);
    }
}

} // namespace

OtherScripts::OtherScripts(const LanguageChoice &page)
{
    if (page.script != &latinScript())
        likelyOnes.append(&latinScript());
    likelyOnes += page.contenders;
    for (const Script &script : scripts()) {
        if (script.name == page.script->alike && !likelyOnes.contains(&script))
            likelyOnes.append(&script);
    }
    for (const Script &script : scripts()) {
        if (&script != page.script && !likelyOnes.contains(&script))
            rest.append(&script);
    }
}

QList<const Script *> OtherScripts::likely() const
{
    const std::lock_guard lock(mutex);
    return leadersLast(likelyOnes);
}

QList<const Script *> OtherScripts::all() const
{
    const std::lock_guard lock(mutex);
    return leadersLast(likelyOnes + rest);
}

QList<const Script *> OtherScripts::leadersLast(QList<const Script *> scripts) const
{
    std::stable_partition(scripts.begin(), scripts.end(),
                          [&](const Script *script) { return script->lead == 0 || metOnes.contains(script); });
    return scripts;
}

void OtherScripts::met(const Script *script)
{
    const std::lock_guard lock(mutex);
    if (likelyOnes.removeOne(script) || rest.removeOne(script))
        likelyOnes.prepend(script);
    if (!metOnes.contains(script))
        metOnes.append(script);
}

bool OtherScripts::wasMet(const Script *script) const
{
    const std::lock_guard lock(mutex);
    return metOnes.contains(script);
}

LineReading readLineInScript(const QImage &line, const LanguageChoice &page, OtherScripts &others,
                             const ReadLineFn &read)
{
    const Script &script = *page.script;
    LineReading best = read(line, script.readingModel(page.language));
    readAgain(line, best, script, page.language, read);
    const int own = scoreOf(best, script, line, true);
    best.why.prepend(QStringLiteral("the page's model, %1 sure").arg(best.confidence));
    const QString text = best.text();
    const auto letters = std::count_if(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
    const bool ownScript = letters == 0 || script.share(text, true) >= 0.5;
    // A Latin word ("Home", "MB") read as look-alike letters of the page's
    // script ("Ноте", "МВ") reads about as surely: English has it unless it
    // reads less surely.
    const bool lookalikes =
        std::any_of(text.begin(), text.end(), [&](QChar c) { return script.latinLookalikes.contains(c); }) &&
        std::all_of(text.begin(), text.end(), [&](QChar c) {
            return !c.isLetter() || c.script() == QChar::Script_Latin || script.latinLookalikes.contains(c);
        });
    // A line most of whose words the script's second readings took for
    // English ("Cannot ορεη the file") is English's unless it reads it less
    // surely: the words left are look-alikes too.
    const auto latinWord = [](const WordReading &word) {
        return std::any_of(word.text.begin(), word.text.end(), [](QChar c) { return c.isLetter(); }) &&
               std::all_of(word.text.begin(), word.text.end(),
                           [](QChar c) { return !c.isLetter() || c.script() == QChar::Script_Latin; });
    };
    const bool mostlyLatin = &script != &latinScript() &&
                             2 * std::count_if(best.words.begin(), best.words.end(), latinWord) > best.words.size();
    const bool english = lookalikes || mostlyLatin;
    // A model that reads other scripts' letters as its own fairly surely must
    // be surer.
    const int sureOwn = sureConfidence + script.lead / 2;
    // Marks alone (a dot, a light of a photographed city) read as marks in
    // every script: a word would have read as letters of some kind.
    const bool marksAlone = std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    // A long line read fairly surely, mostly in the page's own letters, is
    // the page's script's; in Latin letters, only as words of the
    // dictionary. Not so for a model that reads other scripts as its own
    // fairly surely, nor for Latin words its second readings found among
    // junk of its letters ("server عط مغ connect").
    const bool fairlyOwn = script.share(text, false) >= 0.5 && !english && script.lead == 0 &&
                           best.confidence >= fairOwnConfidence && letters >= lettersToTrust &&
                           (&script != &latinScript() || 2 * lettersInDictionaryWords(best) >= letters);
    if ((best.confidence >= sureOwn && ownScript && !english) || fairlyOwn || marksAlone)
        return best;
    QList<const Script *> candidates =
        !ownScript || (best.confidence < lostConfidence && letters >= lettersToTell) ? others.all() : others.likely();
    // Look-alikes are English's to read first, whatever other script the
    // page's lines met.
    if (english && candidates.removeOne(&latinScript()))
        candidates.prepend(&latinScript());
    int bestScore = std::max(english ? own - 1 : own + otherScriptLead, minOtherScore - 1);
    const bool ownJunk = !script.unspaced && letters >= lettersToTrust && lettersInDictionaryWords(best) == 0;
    // Latin words of its dictionary, however unsurely English reads them, are
    // not another script's look-alikes of them ("Сапсе!" for Cancel).
    const bool latinWords = &script == &latinScript() && letters > 0 &&
                            std::all_of(best.words.begin(), best.words.end(), [](const WordReading &word) {
                                return word.inDictionary || std::none_of(word.text.begin(), word.text.end(),
                                                                         [](QChar c) { return c.isLetter(); });
                            });
    const Script *bestScript = &script;
    for (const Script *other : candidates) {
        // A script the page's other lines were found in, reading this one
        // fairly surely, is not set against scripts the page has not shown:
        // the names of a list are of one script, some read less surely.
        if (bestScript != &script && bestScore >= fairMetScore && others.wasMet(bestScript) && !others.wasMet(other))
            break;
        // A script whose first model alone does not tell it (traditional
        // Chinese, which the Japanese model reads poorly) is read with each
        // model that does, the surest kept.
        QString language;
        LineReading reading;
        int score = std::numeric_limits<int>::min();
        for (const Language &probe : other->languages.mid(0, other->probes)) {
            if (!language.isEmpty() && score < furtherProbeScore)
                break;
            LineReading candidate = read(line, other->readingModel(probe.model));
            // Words of the script read as Latin junk with English beside
            // its model, and a file's extension read as letters of the
            // script, make the reading look unsure: it is scored as mended.
            for (const SecondReading again : other->secondReadings) {
                if (again == mendLatinWords || again == mendLatinLookalikes || again == mendLatinSuffixes)
                    again(line, candidate, probe.model, read);
            }
            const QString candidateText = candidate.text();
            const bool lookalikeReading = latinWords && !other->latinLookalikes.isEmpty() &&
                                          std::all_of(candidateText.begin(), candidateText.end(), [&](QChar c) {
                                              return !c.isLetter() || other->latinLookalikes.contains(c);
                                          });
            // The page's look-alike script (Greek on a Cyrillic page) reads
            // the page's letters as its own about as surely ("ΠΡΜΓΠΔ.pdf"):
            // a name's extension does not vouch for it.
            // On a page of a script English reads as Latin letters, its
            // reading must be sure or of words of the dictionary.
            const bool lookalikeWords =
                other == &latinScript() && script.readAsLatin && candidate.confidence < sureConfidence &&
                2 * lettersInDictionaryWords(candidate) <
                    std::count_if(
                        candidateText.begin(), candidateText.end(), [](QChar c) { return c.isLetter(); });
            // Look-alike letters are Latin ones or the page's own, whatever
            // their ink (bold Latin letters at 1x touch as no Latin ones do).
            const int candidateScore =
                lookalikeReading || lookalikeWords
                    ? 0
                    : scoreOf(candidate, *other, line, false, other->name == script.alike, lookalikes);
            if (candidateScore > score) {
                score = candidateScore;
                reading = std::move(candidate);
                language = probe.model;
            }
        }
        const QString readText = reading.text();
        const auto readLetters = std::count_if(readText.begin(), readText.end(), [](QChar c) { return c.isLetter(); });
        const bool words = ownJunk && bestScript == &script && !other->unspaced && readLetters >= lettersToTell &&
                           2 * lettersInDictionaryWords(reading) >= readLetters;
        if (score > bestScore || (words && score > std::max(own - wordsOverJunk, minOtherScore - 1))) {
            readAgain(line, reading, *other, language, read);
            reading.why.prepend(QStringLiteral("%1 read it %2 sure, the page's model %3")
                                    .arg(reading.model)
                                    .arg(reading.confidence)
                                    .arg(best.confidence));
            best = std::move(reading);
            bestScore = score;
            bestScript = other;
        }
        if (bestScore >= (bestScript == &script ? sureOwn : sureConfidence))
            break;
    }
    if (bestScript != &script && bestScore >= sureConfidence)
        others.met(bestScript);
    return best;
}
